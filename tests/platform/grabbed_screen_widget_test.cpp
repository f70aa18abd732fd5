#include "platform/grabbed_screen.h"

#include <gtest/gtest.h>

#include <vector>

namespace tinctora::platform {
namespace {

// A picture as the X server and GDI hand it over: every pixel with its top byte 0, no two
// neighbours alike.
QImage pictureWithoutAlpha(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = static_cast<QRgb>(x * 0x010203 + y * 0x030201) & 0x00FFFFFFu;
    }
    return picture;
}

TEST(GrabbedScreen, IsOpaqueAndItsMonitorsKeepTheirPlacesCutToTheGrab) {
    struct Row {
        const char* what;
        ScreenRect grab; // where the picture lies on the screen
        std::vector<ScreenRect> reported;
        std::vector<ScreenRect> monitors;
    };
    const ScreenRect primary{0, 0, 1920, 1080};
    const ScreenRect left{-1280, 56, 1280, 1024};
    const ScreenRect above{0, -1440, 2560, 1440};
    const std::vector<Row> table = {
        {"one monitor", primary, {primary}, {primary}},
        {"a monitor left of the primary has negative x",
         ScreenRect{-1280, 0, 3200, 1080},
         {primary, left},
         {primary, left}},
        {"a monitor above the primary has negative y",
         ScreenRect{0, -1440, 2560, 2520},
         {above, primary},
         {above, primary}},
        {"a monitor added after the grab's size was asked is cut to the grab",
         primary,
         {primary, ScreenRect{1000, 500, 1920, 1080}},
         {primary, ScreenRect{1000, 500, 920, 580}}},
        {"a monitor wholly outside the grab is left out",
         primary,
         {ScreenRect{1920, 0, 1280, 1024}, primary},
         {primary}},
        {"two monitors side by side of one X screen",
         ScreenRect{0, 0, 2048, 768},
         {ScreenRect{0, 0, 1024, 768}, ScreenRect{1024, 0, 1024, 768}},
         {ScreenRect{0, 0, 1024, 768}, ScreenRect{1024, 0, 1024, 768}}},
        {"no monitor reported: the grab is one", left, {}, {left}},
        {"nothing grabbed, nothing reported", ScreenRect{}, {}, {}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        const QImage handedOver = pictureWithoutAlpha(QSize(row.grab.width, row.grab.height));
        const FrozenScreen screen = frozenScreenOf(handedOver, row.grab.topLeft(), row.reported);
        EXPECT_EQ(screen.origin, row.grab.topLeft());
        EXPECT_EQ(screen.monitors, row.monitors);
        ASSERT_EQ(screen.area(), row.grab);
        // Read raw: QImage::pixel() would add the top byte itself.
        int wrong = 0;
        for (int y = 0; y < handedOver.height(); ++y) {
            const auto* before = reinterpret_cast<const QRgb*>(handedOver.constScanLine(y));
            const auto* after = reinterpret_cast<const QRgb*>(screen.image.constScanLine(y));
            for (int x = 0; x < handedOver.width(); ++x)
                wrong += after[x] != (before[x] | 0xFF000000u);
        }
        EXPECT_EQ(wrong, 0) << "every pixel opaque, its colour as it was";
    }
}

} // namespace
} // namespace tinctora::platform
