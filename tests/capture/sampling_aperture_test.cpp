#include "capture/sampling_aperture.h"

#include <gtest/gtest.h>

#include <string>

namespace tinctora::capture {
namespace {

TEST(SamplingAperture, StepsThroughTheOddSizesAndStopsAtBothEnds) {
    struct Step {
        int from;
        int larger;
        int smaller;
    };
    const Step steps[] = {
        {1, 3, 1},
        {3, 5, 1},
        {5, 7, 3},
        {7, 9, 5},
        {9, 11, 7},
        {11, 11, 9},
        // Sizes no step gives: the nearest offered size in the direction asked.
        {4, 5, 3},
        {0, 1, 1},
        {-7, 1, 1},
        {12, 11, 11},
        {1000, 11, 11},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(largerAperture(s.from), s.larger) << s.from;
        EXPECT_EQ(smallerAperture(s.from), s.smaller) << s.from;
    }
}

// A checkerboard of single black and white pixels on a 100 x 100 picture at the screen's
// top-left, black where x + y is even; nothing off the picture.
std::optional<colour::ColourValue> checkerboard(ScreenPoint p) {
    if (p.x < 0 || p.y < 0 || p.x >= 100 || p.y >= 100)
        return std::nullopt;
    return (p.x + p.y) % 2 == 0 ? colour::colourFromBytes(0, 0, 0)
                                : colour::colourFromBytes(255, 255, 255);
}

std::string averageAround(ScreenPoint centre, int size, const PixelSource& source = checkerboard) {
    const std::optional<colour::ColourValue> average =
        averageColour({centre.x - size / 2, centre.y - size / 2, size, size}, source);
    return average ? colour::hexText(*average) : "none";
}

TEST(SamplingAperture, AveragesTheCheckerboardOverThePixelsOnThePicture) {
    struct AverageCase {
        const char* what;
        ScreenPoint centre;
        int size;
        const char* hex;
    };
    const AverageCase cases[] = {
        {"one black pixel", {50, 50}, 1, "000000"},
        {"one white pixel", {51, 50}, 1, "FFFFFF"},
        {"3 x 3 around black: 4 x 255 / 9 = 113.33", {50, 50}, 3, "717171"},
        {"3 x 3 around white: 5 x 255 / 9 = 141.67", {51, 50}, 3, "8E8E8E"},
        {"5 x 5 around white: 13 x 255 / 25 = 132.6", {51, 50}, 5, "858585"},
        {"11 x 11 around black: 60 x 255 / 121 = 126.45", {50, 50}, 11, "7E7E7E"},
        // Off the picture nothing is counted: 2 of 4, 127.5 rounded up.
        {"3 x 3 at the top-left corner", {0, 0}, 3, "808080"},
        {"5 x 5 at the top-left corner: 4 of 9", {0, 0}, 5, "717171"},
        {"3 x 3 on the top edge: 3 of 6", {51, 0}, 3, "808080"},
        {"5 x 5 on the left edge: 8 of 15 = 136", {0, 51}, 5, "888888"},
        {"11 x 11 at the bottom-left corner: 18 of 36", {0, 99}, 11, "808080"},
        {"wholly off the picture", {-10, 50}, 5, "none"},
    };
    for (const AverageCase& c : cases)
        EXPECT_EQ(averageAround(c.centre, c.size), c.hex) << c.what;
}

TEST(SamplingAperture, AveragesEachChannelOnItsOwnAndRoundsHalvesUp) {
    // Two pixels side by side: red 10 and 11, green 20 and 20, blue 31 and 30.
    const PixelSource pair = [](ScreenPoint p) -> std::optional<colour::ColourValue> {
        if (p.y != 0 || (p.x != 0 && p.x != 1))
            return std::nullopt;
        return p.x == 0 ? colour::colourFromBytes(10, 20, 31) : colour::colourFromBytes(11, 20, 30);
    };
    EXPECT_EQ(averageAround({0, 0}, 3, pair), "0B141F"); // 10.5 -> 11, 20, 30.5 -> 31
}

} // namespace
} // namespace tinctora::capture
