#include "palette/palette_format.h"

#include "colour/colour_text.h"
#include "text/delimited_field.h"

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

bool isStorableSlotText(std::string_view text) {
    if (isEmptySlot(text))
        return true;
    const std::optional<colour::ColourValue> value = colour::parseDecimalColour(text);
    if (!value || text.size() > kMaxFieldLength)
        return false;
    // The line is read back as a field: blanks around the number go, and a text that then is the
    // marker would end the palette there.
    std::istringstream line{std::string(text) + "\r\n"};
    const std::optional<std::string> field = text::readDelimitedField(line, kMaxFieldLength);
    return field && *field != kEmptyPaletteMarker && colour::parseDecimalColour(*field) == value;
}

std::string writePalette(const SlotTexts& row) {
    SlotTexts stored = row;
    for (std::string& text : stored) {
        if (!isStorableSlotText(text))
            text = std::string(kEmptySlot);
    }
    if (allSlotsEmpty(stored))
        return std::string(kEmptyPaletteMarker) + "\r\n";
    std::string out;
    for (const auto& text : stored) {
        out += text;
        out += "\r\n";
    }
    return out;
}

namespace {

// Editors that save as UTF-8 may put a byte order mark before the first value.
void skipByteOrderMark(std::istream& in) {
    static constexpr char kMark[] = "\xef\xbb\xbf";
    for (std::size_t i = 0; i < 3; ++i) {
        if (in.peek() != static_cast<unsigned char>(kMark[i])) {
            // Only a whole mark is skipped; a partial one stays part of the first field.
            for (std::size_t back = i; back > 0; --back)
                in.unget();
            return;
        }
        in.get();
    }
}

} // namespace

namespace {

// After the marker only blanks and line ends may follow for nothing to be lost; a long run of
// them is not read to its end.
bool onlyBlanksLeft(std::istream& in) {
    for (std::size_t n = 0; n < 64 * 1024; ++n) {
        const int ch = in.get();
        if (ch == std::char_traits<char>::eof())
            return true;
        if (ch != ' ' && ch != '\t' && ch != '\r' && ch != '\n')
            return false;
    }
    return false;
}

} // namespace

ReadResult readPalette(std::istream& in) {
    ReadResult result;
    skipByteOrderMark(in);
    int line = 1; // the line the next field starts on
    while (!text::atEndOfInput(in)) {
        text::FieldEnd fieldEnd = text::FieldEnd::EndOfInput;
        std::optional<std::string> field = text::readDelimitedField(in, kMaxFieldLength, &fieldEnd);
        if (!field || result.fieldsRead >= kMaxFields) {
            result.end = ReadEnd::ReadFailure;
            result.keptWhole = false;
            return result;
        }
        if (*field == kEmptyPaletteMarker) {
            result.end = ReadEnd::Marker;
            if (!onlyBlanksLeft(in))
                result.keptWhole = false;
            return result;
        }
        // After the twelfth field only the marker and the end of the file matter: a note or a
        // blank line there is no reason to lose the palette.
        const int n = ++result.fieldsRead;
        if (n <= kSlotCount && isStorableSlotText(*field))
            result.texts[static_cast<std::size_t>(n - 1)] = *field;
        // A value on another line than its slot's (after a comma, or after a quoted field that
        // ran over line ends) moves every later value; one after the twelfth is dropped.
        if (n <= kSlotCount ? line != n : !field->empty())
            result.keptWhole = false;
        line += static_cast<int>(std::count_if(field->begin(), field->end(),
                                               [](char c) { return c == '\n' || c == '\r'; }));
        if (fieldEnd == text::FieldEnd::LineEnd)
            ++line;
    }
    result.end = ReadEnd::EndOfFile;
    return result;
}

ReadResult readPalette(std::string_view content) {
    std::istringstream in{std::string(content)};
    return readPalette(in);
}

} // namespace tinctora::palette
