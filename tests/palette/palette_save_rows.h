#pragma once

#include "palette/palette_format.h"

#include <array>

// The rows the save crash test alternates: two full rows that differ in every slot, and the
// empty row, whose file is much shorter than theirs.
namespace tinctora::testing {

inline std::array<palette::SlotTexts, 3> savedRows() {
    palette::SlotTexts first;
    palette::SlotTexts second;
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = "000" + std::to_string(10000 + i);
        second[i] = std::to_string(16000000 + i * 1111);
    }
    return {first, second, palette::emptySlots()};
}

} // namespace tinctora::testing
