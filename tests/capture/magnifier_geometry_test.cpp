#include "capture/magnifier_geometry.h"

#include <gtest/gtest.h>

namespace tinctora::capture {
namespace {

// The default magnifier: 15 x 15 pixels at 9x is 135 x 135, with a 40-pixel label: 135 x 175,
// 16 pixels from the pointer.
constexpr int kWidth = 135;
constexpr int kHeight = 175;
constexpr int kGap = 16;

const std::vector<ScreenRect> kOneMonitor{{0, 0, 1280, 1024}};
// A monitor left of the primary, which starts at 1280.
const std::vector<ScreenRect> kLeftOfPrimary{{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}};
// A wide monitor above the primary.
const std::vector<ScreenRect> kAbovePrimary{{0, 0, 1920, 1080}, {0, 1080, 1280, 1024}};
// A shorter second monitor: the area below it is on no monitor.
const std::vector<ScreenRect> kUneven{{0, 0, 1280, 1024}, {1280, 0, 1280, 768}};

struct PlacementCase {
    const char* what;
    const std::vector<ScreenRect>* monitors;
    ScreenPoint pointer;
    ScreenPoint panel;
    int monitor;
    // The averaged square, when the row asks for one larger than a pixel.
    int apertureSize = 1;
    ScreenRect aperture = {};
};

TEST(MagnifierGeometry, FlipsAwayFromEveryEdgeAndCornerOfThePointersMonitor) {
    const PlacementCase cases[] = {
        {"middle", &kOneMonitor, {640, 512}, {657, 529}, 0, 3, {639, 511, 3, 3}},
        {"right edge",
         &kOneMonitor,
         {1270, 512},
         {1270 - kGap - kWidth, 529},
         0,
         11,
         {1265, 507, 11, 11}},
        {"left edge", &kOneMonitor, {0, 512}, {17, 529}, 0, 5, {-2, 510, 5, 5}},
        {"top edge", &kOneMonitor, {640, 0}, {657, 17}, 0, 7, {637, -3, 7, 7}},
        {"bottom edge", &kOneMonitor, {640, 1000}, {657, 1000 - kGap - kHeight}, 0},
        {"last row",
         &kOneMonitor,
         {640, 1023},
         {657, 1023 - kGap - kHeight},
         0,
         9,
         {636, 1019, 9, 9}},
        {"top-left corner", &kOneMonitor, {0, 0}, {17, 17}, 0, 11, {-5, -5, 11, 11}},
        {"top-right corner",
         &kOneMonitor,
         {1279, 0},
         {1279 - kGap - kWidth, 17},
         0,
         3,
         {1278, -1, 3, 3}},
        {"bottom-left corner",
         &kOneMonitor,
         {0, 1023},
         {17, 1023 - kGap - kHeight},
         0,
         9,
         {-4, 1019, 9, 9}},
        {"bottom-right corner",
         &kOneMonitor,
         {1279, 1023},
         {1279 - kGap - kWidth, 1023 - kGap - kHeight},
         0,
         5,
         {1277, 1021, 5, 5}},
        {"last column that fits on the right", &kOneMonitor, {1128, 10}, {1145, 27}, 0},
        {"first column that does not", &kOneMonitor, {1129, 10}, {1129 - kGap - kWidth, 27}, 0},
        {"last row that fits below", &kOneMonitor, {10, 832}, {27, 849}, 0},
        {"first row that does not", &kOneMonitor, {10, 833}, {27, 833 - kGap - kHeight}, 0},
        // The primary to the right has room, but the magnifier stays on the pointer's monitor.
        {"right edge of a monitor left of the primary",
         &kLeftOfPrimary,
         {1279, 500},
         {1279 - kGap - kWidth, 517},
         0},
        {"left edge of the primary", &kLeftOfPrimary, {1280, 500}, {1297, 517}, 1},
        {"bottom-left corner of the primary",
         &kLeftOfPrimary,
         {1280, 1023},
         {1297, 1023 - kGap - kHeight},
         1},
        {"bottom of a monitor above the primary",
         &kAbovePrimary,
         {100, 1079},
         {117, 1079 - kGap - kHeight},
         0},
        {"top of the primary below it", &kAbovePrimary, {100, 1080}, {117, 1097}, 1},
        {"above the primary, beyond its width", &kAbovePrimary, {1900, 1079}, {1749, 888}, 0},
        // Below the shorter monitor: the nearest monitor holds the magnifier.
        {"on no monitor", &kUneven, {2000, 900}, {2017, 768 - kHeight}, 1},
        // Across the corner where the shorter monitor ends beside the taller one.
        {"corner of two monitors",
         &kUneven,
         {1279, 767},
         {1279 - kGap - kWidth, 784},
         0,
         7,
         {1276, 764, 7, 7}},
    };
    for (const PlacementCase& c : cases) {
        const MagnifierLayout layout = layOutMagnifier(c.pointer, *c.monitors, {}, c.apertureSize);
        EXPECT_EQ(layout.panel, (ScreenRect{c.panel.x, c.panel.y, kWidth, kHeight})) << c.what;
        EXPECT_EQ(layout.grid, (ScreenRect{c.panel.x, c.panel.y, kWidth, kWidth})) << c.what;
        EXPECT_EQ(layout.monitor, c.monitor) << c.what;
        EXPECT_EQ(layout.source, (ScreenRect{c.pointer.x - 7, c.pointer.y - 7, 15, 15})) << c.what;
        if (c.apertureSize > 1)
            EXPECT_EQ(layout.aperture, c.aperture) << c.what;
        else
            EXPECT_EQ(layout.aperture, (ScreenRect{c.pointer.x, c.pointer.y, 1, 1})) << c.what;
    }
}

TEST(MagnifierGeometry, TheApertureIsOutlinedOverTheCellsItCoversAndFitsTheGrid) {
    struct OutlineCase {
        int asked;
        ScreenRect fromGrid; // the outline, from the grid's top-left; its side in cells is the size
    };
    // Sizes no key gives as well: even ones grow to odd, and nothing leaves the 15-pixel grid.
    const OutlineCase cases[] = {{1, {63, 63, 9, 9}},    {5, {45, 45, 45, 45}},
                                 {11, {18, 18, 99, 99}}, {4, {45, 45, 45, 45}},
                                 {-6, {63, 63, 9, 9}},   {99, {0, 0, 135, 135}}};
    for (const OutlineCase& c : cases) {
        const MagnifierLayout layout = layOutMagnifier({1279, 1023}, kOneMonitor, {}, c.asked);
        EXPECT_EQ(layout.aperture.width * 9, c.fromGrid.width) << c.asked;
        EXPECT_EQ(layout.apertureOutline,
                  (ScreenRect{layout.grid.x + c.fromGrid.x, layout.grid.y + c.fromGrid.y,
                              c.fromGrid.width, c.fromGrid.height}))
            << c.asked;
    }
}

TEST(MagnifierGeometry, StaysOnItsMonitorAndOffThePickedPixelEverywhere) {
    for (const auto* monitors : {&kOneMonitor, &kLeftOfPrimary, &kAbovePrimary}) {
        for (const ScreenRect& m : *monitors) {
            for (int x = m.x; x < m.xEnd(); x += 7) {
                for (int y = m.y; y < m.yEnd(); y += 11) {
                    const ScreenPoint p{x, y};
                    const MagnifierLayout layout = layOutMagnifier(p, *monitors);
                    const ScreenRect& panel = layout.panel;
                    ASSERT_FALSE(panel.contains(p)) << x << "," << y;
                    ASSERT_TRUE(m.contains({panel.x, panel.y}) &&
                                m.contains({panel.xEnd() - 1, panel.yEnd() - 1}))
                        << x << "," << y;
                }
            }
        }
    }
}

TEST(MagnifierGeometry, OnAMonitorTooSmallForItTheMagnifierIsPushedInside) {
    const std::vector<ScreenRect> tiny{{100, 100, 200, 150}};
    const MagnifierLayout layout = layOutMagnifier({200, 175}, tiny);
    EXPECT_EQ(layout.panel, (ScreenRect{165, 100, kWidth, kHeight}));
}

TEST(MagnifierGeometry, WithoutMonitorsItSitsBelowRightOfThePointer) {
    const MagnifierLayout layout = layOutMagnifier({50, 60}, {});
    EXPECT_EQ(layout.monitor, std::nullopt);
    EXPECT_EQ(layout.panel, (ScreenRect{67, 77, kWidth, kHeight}));
}

TEST(MagnifierGeometry, FollowsTheGridZoomAndLabelAsked) {
    const MagnifierShape shape{9, 5, 20, 4};
    const MagnifierLayout layout = layOutMagnifier({640, 512}, kOneMonitor, shape);
    EXPECT_EQ(layout.source, (ScreenRect{636, 508, 9, 9}));
    EXPECT_EQ(layout.panel, (ScreenRect{645, 517, 45, 65}));
    EXPECT_EQ(layout.grid, (ScreenRect{645, 517, 45, 45}));
}

TEST(MagnifierGeometry, CellsOffEveryMonitorShowNoPixel) {
    const MagnifierLayout corner = layOutMagnifier({0, 0}, kOneMonitor);
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 0, 0), std::nullopt);
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 6, 7), std::nullopt);
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 7, 6), std::nullopt);
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 7, 7), (ScreenPoint{0, 0}));
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 14, 14), (ScreenPoint{7, 7}));
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 15, 7), std::nullopt);
    EXPECT_EQ(shownPixel(corner, kOneMonitor, 7, -1), std::nullopt);

    // Across the border into the primary the pixels are shown; below the shorter monitor not.
    const MagnifierLayout border = layOutMagnifier({1279, 767}, kUneven);
    EXPECT_EQ(shownPixel(border, kUneven, 8, 7), (ScreenPoint{1280, 767}));
    EXPECT_EQ(shownPixel(border, kUneven, 8, 8), std::nullopt);
    EXPECT_EQ(shownPixel(border, kUneven, 7, 8), (ScreenPoint{1279, 768}));
}

} // namespace
} // namespace tinctora::capture
