// The frozen picture answers for screen pixels, wherever its origin lies.
#include "platform/qt_screen_geometry.h"
#include "platform/screen_grab.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tinctora::platform {
namespace {

TEST(FrozenScreen, ColourAtAScreenPixelAndNothingOffThePicture) {
    // 4 x 3 pixels whose top-left lies left of and above the primary monitor.
    QImage image(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, qRgb(10 * x, 20 * y, 200));
    const FrozenScreen screen{image, {-2, -1}, {{-2, -1, 4, 3}}};
    EXPECT_EQ(screen.area(), (ScreenRect{-2, -1, 4, 3}));
    EXPECT_EQ(toQRect(screen.area()), QRect(-2, -1, 4, 3));
    EXPECT_EQ(screenRectOf(QRect(QPoint(-2, -1), QPoint(1, 1))), screen.area())
        << "Qt's last column and row are one before the end";
    EXPECT_EQ(screenPointOf(toQPoint(screen.origin)), screen.origin);

    const struct {
        ScreenPoint at;
        std::optional<colour::ColourValue> colour;
    } table[] = {
        {{-2, -1}, colour::colourFromBytes(0, 0, 200)},
        {{0, 0}, colour::colourFromBytes(20, 20, 200)},
        {{1, 1}, colour::colourFromBytes(30, 40, 200)},
        {{2, 1}, std::nullopt},
        {{1, 2}, std::nullopt},
        {{-3, 0}, std::nullopt},
        {{0, -2}, std::nullopt},
    };
    for (const auto& row : table)
        EXPECT_EQ(screen.colourAt(row.at), row.colour) << row.at.x << "," << row.at.y;
}

} // namespace
} // namespace tinctora::platform
