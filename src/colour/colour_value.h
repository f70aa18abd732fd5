#pragma once

#include <cstdint>

// A colour value is a signed 32-bit integer laid out as 0x00BBGGRR: red in the low byte.
// 0 is black and -1 means "no colour" (a cancelled dialog or a pixel that could not be read).
namespace tinctora::colour {

using ColourValue = std::int32_t;
inline constexpr ColourValue kNoColour = -1;

// Red, green and blue bytes of a value (the low 24 bits), and back: the only place that knows
// the byte layout.
inline int redByte(ColourValue v) {
    return static_cast<int>(v & 0xFF);
}
inline int greenByte(ColourValue v) {
    return static_cast<int>((v >> 8) & 0xFF);
}
inline int blueByte(ColourValue v) {
    return static_cast<int>((v >> 16) & 0xFF);
}
inline ColourValue colourFromBytes(int red, int green, int blue) {
    return static_cast<ColourValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

} // namespace tinctora::colour
