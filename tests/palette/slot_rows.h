#pragma once

#include "palette/palette_format.h"

#include <cstddef>
#include <initializer_list>

namespace tinctora::palette {

// A row of slot texts: the given ones first, the rest empty.
inline SlotTexts row(std::initializer_list<const char*> texts) {
    SlotTexts slots = emptySlots();
    std::size_t i = 0;
    for (const char* t : texts)
        slots[i++] = t;
    return slots;
}

} // namespace tinctora::palette
