// Any bytes at all as a GIMP palette: the reader must neither crash nor read without bound, what it
// keeps must be what it promises, and the same bytes split into a row and a palette name must
// survive the writer and come back unchanged through the reader.
#include "fuzz_check.h"

#include "colour/colour_text.h"
#include "palette/gimp_palette.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace tinctora;

namespace {

void checkRead(const palette::GimpReadResult& read) {
    FUZZ_CHECK(read.colours >= 0 && read.colours <= palette::kSlotCount);
    FUZZ_CHECK(read.name.size() <= palette::kMaxGimpNameLength);
    for (char ch : read.name)
        FUZZ_CHECK(static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7F);
    if (read.error) {
        FUZZ_CHECK(read.error->line >= 1);
        FUZZ_CHECK(!palette::gimpProblemText(read.error->problem).empty());
        return;
    }
    for (int k = 0; k < palette::kSlotCount; ++k) {
        const std::string& text = read.texts[static_cast<std::size_t>(k)];
        if (k >= read.colours) {
            FUZZ_CHECK(palette::isEmptySlot(text));
            continue;
        }
        const std::optional<colour::ColourValue> value = colour::parseDecimalColour(text);
        FUZZ_CHECK(value && *value >= 0 && *value <= 0xFFFFFF);
        FUZZ_CHECK(text == colour::paddedDecimalText(*value));
    }
}

// One slot text from four bytes: below 64 an empty slot, below 72 three raw bytes (mostly not a
// number), else a colour, from 128 on with bits above the colour set.
std::string slotTextFrom(std::string_view four) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(four[i]); };
    if (at(0) < 64)
        return std::string(palette::kEmptySlot);
    if (at(0) < 72)
        return std::string(four.substr(1));
    const std::uint32_t high = at(0) < 128 ? 0 : std::uint32_t{at(0)} << 24;
    const auto colour = static_cast<std::uint32_t>(colour::colourFromBytes(at(1), at(2), at(3)));
    return colour::plainDecimalText(static_cast<colour::ColourValue>(colour | high));
}

// Twelve slot texts from the first bytes, and the palette name from what is left.
palette::SlotTexts rowFrom(std::string_view& bytes) {
    palette::SlotTexts row = palette::emptySlots();
    for (std::string& text : row) {
        if (bytes.size() < 4)
            break;
        text = slotTextFrom(bytes.substr(0, 4));
        bytes.remove_prefix(4);
    }
    return row;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkRead(palette::readGimpPalette(bytes));

    const palette::SlotTexts row = rowFrom(bytes);
    const std::string written = palette::writeGimpPalette(row, bytes);
    const palette::GimpReadResult again = palette::readGimpPalette(written);
    checkRead(again);
    FUZZ_CHECK(!again.error);
    std::size_t next = 0;
    for (const std::string& text : row) {
        const std::optional<colour::ColourValue> value = colour::parseDecimalColour(text);
        if (palette::isEmptySlot(text) || !value)
            continue;
        FUZZ_CHECK(next < again.texts.size());
        const colour::ColourValue painted = *value & 0xFFFFFF;
        FUZZ_CHECK(colour::parseDecimalColour(again.texts[next++]) == painted);
    }
    FUZZ_CHECK(static_cast<int>(next) == again.colours);
    // Writing what was read gives the same file: nothing of the name or the colours is lost twice.
    FUZZ_CHECK(palette::writeGimpPalette(again.texts, again.name) == written);
    return 0;
}
