// Where the freeze overlay's window goes over screens at different scales, worked out by hand
// from the toolkit's rules (see overlay_placement.h).
#include "capture/overlay_placement.h"

#include <gtest/gtest.h>

namespace tinctora::capture {
namespace {

TEST(OverlayPlacement, CoversThePictureOnScreensAtEveryScale) {
    const struct {
        const char* what;
        std::vector<ToolkitScreen> screens;
        ScreenRect native;
        OverlayPlacement expected;
    } cases[] = {
        {"one screen at scale 1",
         {{{0, 0, 1920, 1080}, 1.0}},
         {0, 0, 1920, 1080},
         {0, {0, 0, 1920, 1080}, 1.0, {0, 0}}},
        {"one screen at scale 2: half the size in the toolkit's units",
         {{{0, 0, 1920, 1080}, 2.0}},
         {0, 0, 3840, 2160},
         {0, {0, 0, 1920, 1080}, 2.0, {0, 0}}},
        {"scale 1.5: the size rounds up",
         {{{0, 0, 666, 666}, 1.5}},
         {0, 0, 1000, 1000},
         {0, {0, 0, 667, 667}, 1.5, {0, 0}}},
        {"scale 1 left of scale 2: filed under the right one, which holds the centre",
         {{{0, 0, 1920, 1080}, 1.0}, {{1920, 0, 1920, 1080}, 2.0}},
         {0, 0, 5760, 2160},
         {1, {960, 0, 2880, 1080}, 2.0, {0, 0}}},
        {"scale 2 below and right of scale 1",
         {{{0, 0, 1000, 400}, 1.0}, {{1000, 600, 1000, 400}, 2.0}},
         {0, 0, 3000, 1400},
         {1, {500, 300, 1500, 700}, 2.0, {0, 0}}},
        {"a centre on no screen: the primary would not keep it, the last it overlaps does",
         {{{0, 0, 1000, 400}, 1.0}, {{1000, 600, 1000, 400}, 1.0}},
         {0, 0, 2000, 1000},
         {1, {0, 0, 2000, 1000}, 1.0, {0, 0}}},
        {"scale 1.5 at an odd offset lands a pixel off the picture's origin",
         {{{0, 0, 100, 600}, 1.0}, {{100, 0, 400, 400}, 1.5}},
         {0, 0, 700, 600},
         {1, {33, 0, 467, 400}, 1.5, {-1, 0}}},
        {"no screen known: the picture's own place",
         {},
         {10, 20, 300, 200},
         {std::nullopt, {10, 20, 300, 200}, 1.0, {10, 20}}},
    };
    for (const auto& c : cases) {
        const OverlayPlacement placed = placeOverlay(c.native, c.screens);
        EXPECT_EQ(placed.screen, c.expected.screen) << c.what;
        EXPECT_EQ(placed.geometry, c.expected.geometry) << c.what;
        EXPECT_EQ(placed.scale, c.expected.scale) << c.what;
        EXPECT_EQ(placed.nativeTopLeft, c.expected.nativeTopLeft) << c.what;
    }
}

TEST(OverlayPlacement, TheScreenChosenForAPlaceHoldsItsCentreElseTheLastItOverlaps) {
    const std::vector<ToolkitScreen> screens{
        {{0, 0, 100, 100}, 1.0}, {{100, 0, 100, 100}, 1.0}, {{300, 0, 100, 100}, 1.0}};
    EXPECT_EQ(screenChosenFor({120, 10, 20, 20}, 0, screens), 1);
    EXPECT_EQ(screenChosenFor({10, 10, 20, 20}, 1, screens), 0);
    // Centre (249, 49) on no screen; overlapping the second and third.
    EXPECT_EQ(screenChosenFor({150, 0, 200, 100}, 0, screens), 2);
    // Overlapping none: the current one stays.
    EXPECT_EQ(screenChosenFor({220, 200, 20, 20}, 1, screens), 1);
}

} // namespace
} // namespace tinctora::capture
