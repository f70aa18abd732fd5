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
        QRect grab; // where the picture lies on the screen
        std::vector<QRect> reported;
        std::vector<QRect> monitors;
    };
    const QRect primary(0, 0, 1920, 1080);
    const QRect left(-1280, 56, 1280, 1024);
    const QRect above(0, -1440, 2560, 1440);
    const std::vector<Row> table = {
        {"one monitor", primary, {primary}, {primary}},
        {"a monitor left of the primary has negative x",
         QRect(-1280, 0, 3200, 1080),
         {primary, left},
         {primary, left}},
        {"a monitor above the primary has negative y",
         QRect(0, -1440, 2560, 2520),
         {above, primary},
         {above, primary}},
        {"a monitor added after the grab's size was asked is cut to the grab",
         primary,
         {primary, QRect(1000, 500, 1920, 1080)},
         {primary, QRect(1000, 500, 920, 580)}},
        {"a monitor wholly outside the grab is left out",
         primary,
         {QRect(1920, 0, 1280, 1024), primary},
         {primary}},
        {"two monitors side by side of one X screen",
         QRect(0, 0, 2048, 768),
         {QRect(0, 0, 1024, 768), QRect(1024, 0, 1024, 768)},
         {QRect(0, 0, 1024, 768), QRect(1024, 0, 1024, 768)}},
        {"no monitor reported: the grab is one", left, {}, {left}},
        {"nothing grabbed, nothing reported", QRect(), {}, {}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        const QImage handedOver = pictureWithoutAlpha(row.grab.size());
        const FrozenScreen screen = frozenScreenOf(handedOver, row.grab.topLeft(), row.reported);
        EXPECT_EQ(screen.origin, row.grab.topLeft());
        EXPECT_EQ(screen.monitors, row.monitors);
        ASSERT_EQ(screen.image.size(), row.grab.size());
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
