#include "platform/pixel_channels.h"

#include <bit>

namespace tinctora::platform {

namespace {

std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const auto span = mask >> shift;
    return widenChannel((pixel & mask) >> shift, static_cast<int>(std::bit_width(span)));
}

} // namespace

std::uint8_t widenChannel(std::uint32_t value, int bits) {
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return static_cast<std::uint8_t>((value >> (bits - 8)) & 0xFF);
    value &= (1u << bits) - 1;
    std::uint32_t repeated = 0;
    int filled = 0;
    while (filled < 8) {
        repeated = (repeated << bits) | value;
        filled += bits;
    }
    return static_cast<std::uint8_t>(repeated >> (filled - 8));
}

colour::ColourValue colourFromPixel(std::uint32_t pixel, const ChannelMasks& masks) {
    return colour::colourFromBytes(channel(pixel, masks.red), channel(pixel, masks.green),
                                   channel(pixel, masks.blue));
}

colour::ColourValue colourFromColormapEntry(std::uint16_t red, std::uint16_t green,
                                            std::uint16_t blue) {
    return colour::colourFromBytes(red >> 8, green >> 8, blue >> 8);
}

} // namespace tinctora::platform
