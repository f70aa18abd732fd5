#pragma once

#include "palette/palette_format.h"

#include <istream>
#include <optional>
#include <string>
#include <string_view>

// GIMP palettes (*.gpl), the format GIMP and Inkscape share palettes in: a "GIMP Palette" line,
// optional "Name:" and "Columns:" headers, "#" comments, then one colour per line as red, green
// and blue from 0 to 255 and an optional name.
namespace tinctora::palette {

// Longer names are cut (at a UTF-8 character boundary) so that the reader below takes the file.
inline constexpr std::size_t kMaxGimpNameLength = 1024;

// The bytes of a GIMP palette holding the row's colours in slot order, each named by its CSS hex
// text; empty slots, and slot texts that are not a colour, are left out. Lines end with LF as
// GIMP writes them. Line breaks and other control characters in the name become spaces, so no
// name can add a line to the file.
std::string writeGimpPalette(const SlotTexts& row, std::string_view name);

// Reading never takes more than this: a longer line, or this many bytes before the twelfth colour,
// is an error, whatever follows.
inline constexpr std::size_t kMaxGimpLineLength = 4096;
inline constexpr std::size_t kMaxGimpReadBytes = std::size_t{1} << 20;

enum class GimpProblem {
    MissingMagicLine,    // the first line is not "GIMP Palette"
    ComponentOutOfRange, // a red, green or blue number outside 0..255
    UnknownLine,         // neither blank, comment, header nor colour
    LineTooLong,         // longer than kMaxGimpLineLength
    TooLarge,            // kMaxGimpReadBytes read without reaching the twelfth colour
};

struct GimpReadError {
    int line; // 1-based
    GimpProblem problem;
};

struct GimpReadResult {
    // The first twelve colours as zero-padded decimal texts ("00000255"), as sampled colours are
    // held, so that black stays a colour; "0" in the slots after the last colour.
    SlotTexts texts = emptySlots();
    int colours = 0;                    // 0..12
    std::string name;                   // the "Name:" header without surrounding blanks, or ""
    std::optional<GimpReadError> error; // set: the file cannot be taken, ignore the rest
};

// Reads up to the twelfth colour and no further: what follows it can neither fail the reading
// nor make it slower. Accepts a UTF-8 byte order mark, LF, CR LF or CR line ends, blanks and tabs
// anywhere between the numbers, and blank lines; headers may appear anywhere.
GimpReadResult readGimpPalette(std::istream& in);
GimpReadResult readGimpPalette(std::string_view content);

// What is wrong, in words for a message that names the file and the line.
std::string gimpProblemText(GimpProblem problem);

} // namespace tinctora::palette
