#pragma once

// Turning the value of a screen pixel into a colour value.
// Pure arithmetic: the display code reads the pixel and the screen's channel masks, and this
// file decides what colour they mean.

#include "colour/colour_value.h"

#include <cstdint>

namespace tinctora::platform {

// Where red, green and blue lie in a true-colour pixel value. X requires each mask to be one run
// of bits; a mask of 0 means the screen has no such channel.
struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

// Scales a channel value of the given width to 8 bits. Narrow channels are widened by repeating
// their bits (5-bit 0b00010 -> 0b00010000 | 0b000 = 0x10, 5-bit 31 -> 255), so black stays black,
// full stays full and every step lands where a 24-bit screen would show it; wider channels keep
// their top 8 bits.
std::uint8_t widenChannel(std::uint32_t value, int bits);

// The colour of a true-colour pixel. Bits outside the three masks (padding, alpha) are ignored.
// On an RGB565 screen #123456 is stored as 0x11AA and reads back as #103452.
colour::ColourValue colourFromPixel(std::uint32_t pixel, const ChannelMasks& masks);

// The colour of a colour-map entry (screens with a palette of 16-bit-per-channel entries):
// 0x1212 is the 16-bit form of 0x12, so the top byte is the 8-bit component.
colour::ColourValue colourFromColormapEntry(std::uint16_t red, std::uint16_t green,
                                            std::uint16_t blue);

} // namespace tinctora::platform
