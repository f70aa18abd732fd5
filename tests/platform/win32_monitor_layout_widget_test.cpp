#include "platform/win32/win32_monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tinctora::platform::win32 {
namespace {

TEST(Win32MonitorLayout, MonitorsKeepTheirPlacesCutToTheGrab) {
    struct Row {
        const char* what;
        QRect virtualScreen;
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
        {"no monitor reported: the grab is one", left, {}, {left}},
        {"nothing grabbed, nothing reported", QRect(), {}, {}},
    };
    for (const Row& row : table)
        EXPECT_EQ(monitorsWithin(row.virtualScreen, row.reported), row.monitors) << row.what;
}

} // namespace
} // namespace tinctora::platform::win32
