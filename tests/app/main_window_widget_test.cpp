#include "widget_test_support.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

TEST(MainWindowStart, FirstStartWithoutPalettesFolder) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    EXPECT_EQ(w.windowTitle(), "Tinctora 1.1");
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(f.fakes.layer.topmost);
    EXPECT_TRUE(w.altop->isChecked());
    EXPECT_EQ(w.savedColors, palette::emptySlots());
    EXPECT_EQ(w.Frame5->title(), "Saved Colors");
    EXPECT_FALSE(w.paletteChanged);
    EXPECT_FALSE(QDir(f.folder() + "/Pallets").exists()) << "start-up does not create the folder";
}

} // namespace
} // namespace tinctora::testing
