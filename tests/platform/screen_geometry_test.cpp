#include "platform/screen_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tinctora::platform {
namespace {

// The rectangles are half-open: xEnd() and yEnd() are the first column and row outside.
TEST(ScreenRect, HoldsItsPixelsUpToButNotIncludingItsEnds) {
    const ScreenRect left{-1280, 56, 1280, 1024};
    EXPECT_EQ(left.xEnd(), 0);
    EXPECT_EQ(left.yEnd(), 1080);
    struct Row {
        const char* what;
        ScreenRect a;
        ScreenRect b;
        ScreenRect both;
        std::vector<ScreenPoint> in;  // in both
        std::vector<ScreenPoint> out; // in neither or only one
    };
    const std::vector<Row> table = {
        {"a monitor left of the primary has negative x, and meets it without overlap",
         left,
         {0, 0, 1920, 1080},
         {},
         {},
         {{-1, 56}, {0, 56}, {-1, 1080}}},
        {"a monitor partly outside the grab is cut to it",
         {1000, 500, 1920, 1080},
         {0, 0, 1920, 1080},
         {1000, 500, 920, 580},
         {{1000, 500}, {1919, 1079}},
         {{1920, 1079}, {1919, 1080}, {999, 500}}},
        {"one pixel",
         {5, 7, 1, 1},
         {0, 0, 10, 10},
         {5, 7, 1, 1},
         {{5, 7}},
         {{6, 7}, {5, 8}, {4, 7}}},
        {"an empty rectangle holds nothing", {3, 3, 0, 4}, {0, 0, 10, 10}, {}, {}, {{3, 3}}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.a.intersected(row.b), row.both);
        EXPECT_EQ(row.b.intersected(row.a), row.both);
        EXPECT_EQ(row.both.isEmpty(), row.in.empty());
        for (const ScreenPoint p : row.in)
            EXPECT_TRUE(row.a.contains(p) && row.b.contains(p)) << p.x << "," << p.y;
        for (const ScreenPoint p : row.out)
            EXPECT_FALSE(row.a.contains(p) && row.b.contains(p)) << p.x << "," << p.y;
    }
}

} // namespace
} // namespace tinctora::platform
