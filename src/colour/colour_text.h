#pragma once

#include "colour/colour_value.h"

#include <optional>
#include <string>
#include <string_view>

// The texts a colour value is shown and stored as.
namespace tinctora::colour {

// "00000255" for 255, "-00000001" for -1: at least eight digits, zero-filled.
std::string paddedDecimalText(ColourValue v);

// "255" for 255, "-1" for -1.
std::string plainDecimalText(ColourValue v);

// Six upper-case hex digits, red first ("FF0000" for 255). Bits 24-31 are ignored.
std::string hexText(ColourValue v);

struct RgbComponents {
    int red;
    int green;
    int blue;
};

// Red and green keep the sign of a negative value (as the decimal remainder does); blue is always
// 0..255. For plain colours these are simply the three bytes.
RgbComponents rgbComponents(ColourValue v);

// "255, 128, 000": the three components zero-filled to three digits, red first.
std::string rgbTripleText(const RgbComponents& c);

// Parses the decimal texts this program writes and stores: optional sign, digits, optional
// surrounding blanks, within 32 bits. Anything else (empty text, "1.5", "&HFF") gives nothing.
std::optional<ColourValue> parseDecimalColour(std::string_view text);

// A colour as the current-colour panel shows it, with the decimal text an add stores: zero-filled
// when sampled from the screen, plain after the colour dialog, as saved when recalled.
struct ShownColour {
    ColourValue value = 0;
    std::string decimalText;
    friend bool operator==(const ShownColour&, const ShownColour&) = default;
};

} // namespace tinctora::colour
