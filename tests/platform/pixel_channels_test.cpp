#include "platform/pixel_channels.h"

#include <gtest/gtest.h>

namespace tinctora::platform {
namespace {

constexpr ChannelMasks kRgb888{0xFF0000, 0x00FF00, 0x0000FF};
constexpr ChannelMasks kRgb565{0xF800, 0x07E0, 0x001F};

// The pixel an RGB565 screen stores for an 8-bit colour: the top bits of each component.
std::uint32_t storeAsRgb565(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
}

TEST(WidenChannel, ReplicatesTheBitsOfNarrowChannels) {
    EXPECT_EQ(widenChannel(0b00010, 5), 0x10);
    EXPECT_EQ(widenChannel(0b001101, 6), 0x34);
    EXPECT_EQ(widenChannel(0b01010, 5), 0x52);
    EXPECT_EQ(widenChannel(31, 5), 255); // a plain shift would give 248
    EXPECT_EQ(widenChannel(63, 6), 255);
    EXPECT_EQ(widenChannel(0, 5), 0);
    EXPECT_EQ(widenChannel(1, 1), 255);
    EXPECT_EQ(widenChannel(0b10, 2), 0xAA);
    EXPECT_EQ(widenChannel(0b101, 3), 0b10110110);
}

TEST(WidenChannel, KeepsTheTopByteOfWideChannels) {
    EXPECT_EQ(widenChannel(0xAB, 8), 0xAB);
    EXPECT_EQ(widenChannel(0x3FF, 10), 0xFF);
    EXPECT_EQ(widenChannel(0x200, 10), 0x80);
    EXPECT_EQ(widenChannel(0xABCD, 16), 0xAB);
}

TEST(WidenChannel, IgnoresBitsAboveTheWidthAndEmptyChannels) {
    EXPECT_EQ(widenChannel(0xFFE0 | 0b00010, 5), 0x10);
    EXPECT_EQ(widenChannel(123, 0), 0);
}

TEST(WidenChannel, EveryNarrowValueIsMonotonicAndTruncatesBackToItself) {
    for (int bits = 1; bits < 8; ++bits) {
        int previous = -1;
        for (std::uint32_t v = 0; v < (1u << bits); ++v) {
            const int wide = widenChannel(v, bits);
            EXPECT_GT(wide, previous) << bits << " bits, value " << v;
            EXPECT_EQ(static_cast<std::uint32_t>(wide) >> (8 - bits), v) << bits << " bits";
            previous = wide;
        }
        EXPECT_EQ(previous, 255) << bits << " bits";
    }
}

TEST(ColourFromPixel, TwentyFourBitPixelsPutRedInTheLowByte) {
    EXPECT_EQ(colourFromPixel(0x123456, kRgb888), 0x563412);
    EXPECT_EQ(colourFromPixel(0xFF0000, kRgb888), 0x0000FF);
    EXPECT_EQ(colourFromPixel(0x0000FF, kRgb888), 0xFF0000);
    EXPECT_EQ(colourFromPixel(0xFFFFFF, kRgb888), 0xFFFFFF);
    EXPECT_EQ(colourFromPixel(0, kRgb888), 0);
}

TEST(ColourFromPixel, FollowsTheMasksWhateverTheirOrder) {
    const ChannelMasks bgr{0x0000FF, 0x00FF00, 0xFF0000};
    EXPECT_EQ(colourFromPixel(0x563412, bgr), 0x563412);
    const ChannelMasks highBytes{0xFF000000, 0x00FF0000, 0x0000FF00};
    EXPECT_EQ(colourFromPixel(0x12345600, highBytes), 0x563412);
}

TEST(ColourFromPixel, IgnoresAlphaAndPaddingBits) {
    EXPECT_EQ(colourFromPixel(0xFF123456, kRgb888), 0x563412);
    EXPECT_EQ(colourFromPixel(0xFFFF0000 | storeAsRgb565(0x12, 0x34, 0x56), kRgb565), 0x523410);
}

TEST(ColourFromPixel, SixteenBitScreensReadByBitReplication) {
    EXPECT_EQ(storeAsRgb565(0x12, 0x34, 0x56), 0x11AAu);
    EXPECT_EQ(colourFromPixel(0x11AA, kRgb565), 0x523410); // #123456 reads #103452
    EXPECT_EQ(colourFromPixel(0xFFFF, kRgb565), 0xFFFFFF);
    EXPECT_EQ(colourFromPixel(0xF800, kRgb565), 0x0000FF);
    EXPECT_EQ(colourFromPixel(0x07E0, kRgb565), 0x00FF00);
    EXPECT_EQ(colourFromPixel(0x001F, kRgb565), 0xFF0000);
    EXPECT_EQ(colourFromPixel(0, kRgb565), 0);
}

TEST(ColourFromPixel, FifteenAndThirtyBitScreens) {
    const ChannelMasks rgb555{0x7C00, 0x03E0, 0x001F};
    EXPECT_EQ(colourFromPixel(0x7FFF, rgb555), 0xFFFFFF);
    EXPECT_EQ(colourFromPixel(0x0400, rgb555), 0x000008); // red 1 of 31
    const ChannelMasks rgb101010{0x3FF00000, 0x000FFC00, 0x000003FF};
    EXPECT_EQ(colourFromPixel(0x3FFFFFFF, rgb101010), 0xFFFFFF);
    EXPECT_EQ(colourFromPixel((0x048u << 20) | (0x0D0u << 10) | 0x158u, rgb101010), 0x563412);
}

TEST(ColourFromPixel, AMissingChannelReadsZero) {
    const ChannelMasks redOnly{0xFF0000, 0, 0};
    EXPECT_EQ(colourFromPixel(0xFFFFFF, redOnly), 0x0000FF);
}

TEST(ColourFromColormapEntry, TakesTheTopByteOfEachComponent) {
    EXPECT_EQ(colourFromColormapEntry(0x1212, 0x3434, 0x5656), 0x563412);
    EXPECT_EQ(colourFromColormapEntry(0xFFFF, 0xFFFF, 0xFFFF), 0xFFFFFF);
    EXPECT_EQ(colourFromColormapEntry(0x00FF, 0, 0x0100), 0x010000);
}

} // namespace
} // namespace tinctora::platform
