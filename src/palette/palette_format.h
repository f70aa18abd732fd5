#pragma once

#include <array>
#include <istream>
#include <string>
#include <string_view>

// Palette files: plain single-byte text, one value per line, every line ended by CR LF.
// A row with any saved colour is written in full (twelve lines, "0" for an empty slot); an
// all-empty row is the single line "-1207". Reading is more forgiving: fields are delimited text
// input (comma or line end, quotes allowed), reading stops at "-1207" or the end of the file, a
// field among the first twelve that is not a colour loads as an empty slot, and after the twelfth
// field only the marker and the end of the file matter.
namespace tinctora::palette {

inline constexpr int kSlotCount = 12;
inline constexpr std::string_view kEmptySlot = "0";
inline constexpr std::string_view kEmptyPaletteMarker = "-1207";

using SlotTexts = std::array<std::string, kSlotCount>;

SlotTexts emptySlots();
inline bool isEmptySlot(std::string_view text) {
    return text == kEmptySlot;
}
bool allSlotsEmpty(const SlotTexts& row);

// True for "0" and for a colour text whose line in a palette file reads back as that colour (not
// as the marker, a different number or no number). Only such texts are loaded and saved.
bool isStorableSlotText(std::string_view text);

// The bytes of a palette file for this row. A slot text that would not read back as a colour is
// written as an empty slot.
std::string writePalette(const SlotTexts& row);

enum class ReadEnd {
    EndOfFile,   // the whole file was read
    Marker,      // a "-1207" field ended the reading
    ReadFailure, // a field too long to be read, or more fields than the counter holds
};

struct ReadResult {
    SlotTexts texts = emptySlots();
    ReadEnd end = ReadEnd::EndOfFile;
    int fieldsRead = 0;
    // The row holds everything of the file that a save of it would have to write back: reading
    // went to the end (a marker is the end only when nothing but blanks follows it), no value
    // came after the twelfth, and every one of the twelve stood on its own line, in its slot's.
    // A value among the twelve that is not a colour (a typo) does not count: its slot is kept,
    // empty, and no other value moves.
    bool keptWhole = true;
};

// The field counter is 16 bits wide: the 32,768th field is a read failure. A field longer than
// this cannot be a number; reading fails there without taking it into a slot.
inline constexpr int kMaxFields = 32767;
inline constexpr std::size_t kMaxFieldLength = 256;

// Reads a palette into an empty row. Slots filled before a failure keep their texts; the field
// that failed leaves its slot empty.
ReadResult readPalette(std::istream& in);
ReadResult readPalette(std::string_view content);

} // namespace tinctora::palette
