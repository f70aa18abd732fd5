#include "palette/palette_format.h"

#include "colour/colour_text.h"
#include "palette/delimited_field.h"

#include <algorithm>
#include <sstream>

namespace tinctora::palette {

SlotTexts emptySlots() {
    SlotTexts row;
    row.fill(std::string(kEmptySlot));
    return row;
}

bool allSlotsEmpty(const SlotTexts& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& s) { return isEmptySlot(s); });
}

std::string writePalette(const SlotTexts& row) {
    if (allSlotsEmpty(row))
        return std::string(kEmptyPaletteMarker) + "\r\n";
    std::string out;
    for (const auto& text : row) {
        out += text;
        out += "\r\n";
    }
    return out;
}

ReadResult readPalette(std::istream& in) {
    ReadResult result;
    while (!atEndOfInput(in)) {
        std::optional<std::string> field = readDelimitedField(in, kMaxFieldLength);
        if (!field || result.fieldsRead >= kMaxFields) {
            result.end = ReadEnd::ReadFailure;
            return result;
        }
        if (*field == kEmptyPaletteMarker) {
            result.end = ReadEnd::Marker;
            return result;
        }
        const int n = ++result.fieldsRead;
        if (n <= kSlotCount)
            result.texts[static_cast<std::size_t>(n - 1)] = *field;
        if (!colour::parseDecimalColour(*field)) {
            result.end = ReadEnd::ReadFailure;
            return result;
        }
    }
    result.end = ReadEnd::EndOfFile;
    return result;
}

ReadResult readPalette(std::string_view content) {
    std::istringstream in{std::string(content)};
    return readPalette(in);
}

} // namespace tinctora::palette
