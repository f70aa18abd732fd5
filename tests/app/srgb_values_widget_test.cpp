// Settings > "Show sRGB Values" on the fake platform: what the window shows, stores and says per
// monitor, what a frozen-screen pick takes, and the settings file that remembers the choice.
#include "app/settings_file.h"
#include "capture/freeze_overlay.h"
#include "colour/display_profile.h"
#include "widget_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <span>

namespace tinctora::testing {
namespace {

using colour::ColourValue;
using platform::ScreenPoint;

QByteArray adobeRgbProfile() {
    QFile file("/usr/share/color/icc/colord/AdobeRGB1998.icc");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// What the rule makes of a value read on the Adobe RGB monitor (its numbers are tested apart).
ColourValue onAdobeRgb(ColourValue asRead) {
    const QByteArray bytes = adobeRgbProfile();
    const colour::ProfileReading reading = colour::readDisplayProfile(std::span(
        reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size())));
    return reading.conversion ? reading.conversion->toSrgb(asRead) : colour::kNoColour;
}

QString hexOf(ColourValue v) {
    return QString::fromLatin1(colour::hexText(v));
}

// Three monitors side by side, 100 pixels wide: Adobe RGB, none, and bytes that are no profile.
void threeMonitors(platform::fake::FakeDisplayProfiles& profiles) {
    profiles.monitors = {{QRect(0, 0, 100, 100), adobeRgbProfile()},
                         {QRect(100, 0, 100, 100), std::nullopt},
                         {QRect(200, 0, 100, 100), QByteArray("not a profile at all")}};
}

// The panel's tooltip and accessible description: the colour's hex code and name, then what its
// values are.
QString valuesLine(const MainWindowControls& c) {
    return c.Picture1->description().section('\n', 1);
}

QAction* srgbItem(const app::MainWindow& w) {
    return w.findChild<QAction*>("srgbval");
}

const ColourValue kPageRed = colour::colourFromBytes(0xB0, 0x36, 0x0D);

TEST(ShowSrgbValues, ConvertsEveryValueFromTheScreenThroughItsMonitorsProfile) {
    MainWindowFixture f;
    threeMonitors(f.fakes.profiles);
    for (int x : {10, 150, 250})
        f.fakes.screen.paint({x, 10}, kPageRed);
    app::MainWindow& w = f.load();
    const MainWindowControls c = ui(w);
    // The fourth Settings item, after the ones before it; off at the first start.
    const QList<QAction*> items = c.set->actions();
    ASSERT_GE(items.size(), 4);
    EXPECT_EQ(items[2], c.frzpick);
    ASSERT_EQ(items[3], srgbItem(w));
    EXPECT_EQ(items[3]->text(), "Show sRGB Values");
    EXPECT_TRUE(items[3]->isCheckable());
    EXPECT_FALSE(items[3]->isChecked());
    EXPECT_EQ(c.Picture1->description(), "") << "nothing to describe before the first colour";

    const ColourValue pageRedInSrgb = onAdobeRgb(kPageRed);
    ASSERT_NE(pageRedInSrgb, kPageRed);
    struct Step {
        ScreenPoint at;
        QString hex;
        QString tip;
    };
    const auto walk = [&](const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            f.fakes.pointer.at = step.at;
            f.tick();
            EXPECT_EQ(c.Text2->text(), step.hex) << step.at.x;
            EXPECT_TRUE(c.Picture1->description().startsWith("#" + step.hex + ","))
                << step.at.x << c.Picture1->description().toStdString();
            EXPECT_EQ(valuesLine(c), step.tip) << step.at.x;
        }
    };
    walk({{{10, 10}, hexOf(kPageRed), "Values as read"}});
    items[3]->trigger();
    EXPECT_TRUE(items[3]->isChecked());
    const QString adobeTip =
        "sRGB values, from the display profile \"Compatible with Adobe RGB (1998)\"";
    walk({{{10, 10}, hexOf(pageRedInSrgb), adobeTip},
          {{150, 10}, hexOf(kPageRed), "Values as read: this monitor has no display profile"},
          {{250, 10},
           hexOf(kPageRed),
           "Values as read: the display profile of this monitor cannot be used\nIt is not an ICC "
           "profile."}});
    // What F2 and F4 store, and what Copy-as and a drag take (the current colour), is the value
    // shown.
    walk({{{10, 10}, hexOf(pageRedInSrgb), adobeTip}});
    f.fakes.keys.tap(platform::HotKey::F2);
    f.fakes.pointer.at = ScreenPoint{150, 10};
    f.tick();
    f.fakes.keys.tap(platform::HotKey::F4);
    EXPECT_EQ(w.swatchRow().texts()[0], colour::paddedDecimalText(pageRedInSrgb));
    EXPECT_EQ(w.swatchRow().texts()[1], colour::paddedDecimalText(kPageRed));
    ASSERT_TRUE(w.capture().current());
    EXPECT_EQ(w.capture().current()->value, kPageRed);
    // Off again: as read everywhere.
    items[3]->trigger();
    EXPECT_EQ(valuesLine(c), "Values as read");
    w.capture().resume();
    walk({{{10, 10}, hexOf(kPageRed), "Values as read"}});
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty());
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(ShowSrgbValues, WithoutProfilesFromTheDesktopTheValuesStayAsRead) {
    MainWindowFixture f;
    f.fakes.platform.profiles = nullptr;
    f.fakes.screen.paint({10, 10}, kPageRed);
    app::MainWindow& w = f.load();
    srgbItem(w)->trigger();
    f.fakes.pointer.at = ScreenPoint{10, 10};
    f.tick();
    EXPECT_EQ(ui(w).Text2->text(), hexOf(kPageRed));
    EXPECT_EQ(valuesLine(ui(w)),
              "Values as read: the desktop does not tell Tinctora the display profile");
}

TEST(ShowSrgbValues, TheChoiceIsKeptInASettingsFileBesideThePalettes) {
    MainWindowFixture f;
    const QString file = f.folder() + "/settings.ini";
    EXPECT_EQ(app::settingsFileFor(f.folder() + "/Pallets"), file);
    {
        QFile other(file);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("Someone=else\r\n");
    }
    app::MainWindow& w = f.load();
    EXPECT_FALSE(srgbItem(w)->isChecked());
    srgbItem(w)->trigger();
    EXPECT_EQ(fileBytes(file), "Someone=else\r\nShowSrgbValues=1\r\n");
    f.window.reset();
    f.fakes.profiles.monitors = {{QRect(0, 0, 100, 100), adobeRgbProfile()}};
    f.fakes.screen.paint({10, 10}, kPageRed);
    app::MainWindow& again = f.load();
    EXPECT_TRUE(srgbItem(again)->isChecked());
    f.fakes.pointer.at = ScreenPoint{10, 10};
    f.tick();
    EXPECT_EQ(ui(again).Text2->text(), hexOf(onAdobeRgb(kPageRed)));
    srgbItem(again)->trigger();
    EXPECT_EQ(fileBytes(file), "Someone=else\r\nShowSrgbValues=0\r\n");
}

TEST(ShowSrgbValues, ASettingsFileThatCannotBeReadOrWrittenChangesNothingElse) {
    MainWindowFixture f;
    // A folder where the file should be: it can be neither read nor replaced, even by root.
    ASSERT_TRUE(QDir(f.folder()).mkpath("settings.ini"));
    f.writeDefaultPalette(crlfLines({"00000255"}));
    f.fakes.profiles.monitors = {{QRect(0, 0, 100, 100), adobeRgbProfile()}};
    f.fakes.screen.paint({10, 10}, kPageRed);
    app::MainWindow& w = f.load();
    EXPECT_FALSE(srgbItem(w)->isChecked());
    srgbItem(w)->trigger();
    EXPECT_TRUE(srgbItem(w)->isChecked()) << "it still applies to this run";
    f.fakes.pointer.at = ScreenPoint{10, 10};
    f.tick();
    EXPECT_EQ(ui(w).Text2->text(), hexOf(onAdobeRgb(kPageRed)));
    EXPECT_TRUE(QFileInfo(f.folder() + "/settings.ini").isDir());
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
    w.close();
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
    EXPECT_EQ(f.readDefaultPalette().left(10), "00000255\r\n");
}

// --- Picking from the frozen screen ------------------------------------------------------------

TEST(ShowSrgbValues, AFrozenPickAveragesTheValuesAsReadThenConvertsOnlyWhatIsShownAndTaken) {
    MainWindowFixture f;
    f.fakes.profiles.monitors = {{QRect(0, 0, 100, 100), adobeRgbProfile()},
                                 {QRect(100, 0, 100, 100), std::nullopt}};
    // A checkerboard of two colours on both monitors.
    QImage picture(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            picture.setPixel(x, y, (x + y) % 2 ? qRgb(18, 52, 86) : qRgb(0xB0, 0x36, 0x0D));
    f.fakes.grabber.outcome = {
        platform::GrabOutcome::Status::Grabbed,
        platform::FrozenScreen{picture, {0, 0}, {{0, 0, 100, 100}, {100, 0, 100, 100}}},
        {}};
    app::MainWindow& w = f.load();
    srgbItem(w)->trigger();
    struct Pick {
        ScreenPoint at;
        bool threeByThree;
        ColourValue taken;
    };
    // Three by three around an even pixel: five of the first colour, four of the other, whose
    // mean as read is (106, 53, 45).
    const ColourValue meanAsRead = colour::colourFromBytes(106, 53, 45);
    const Pick picks[] = {
        {{10, 10}, false, onAdobeRgb(kPageRed)},
        {{10, 10}, true, onAdobeRgb(meanAsRead)},
        {{110, 10}, true, meanAsRead},
    };
    int slot = 0;
    for (const Pick& pick : picks) {
        f.fakes.pointer.at = pick.at;
        srgbItem(w)->setChecked(true);
        ui(w).frzpick->trigger();
        capture::FreezeOverlay* overlay = openOverlay();
        ASSERT_NE(overlay, nullptr);
        if (pick.threeByThree)
            QTest::keyClick(overlay, Qt::Key_Plus);
        EXPECT_TRUE(overlay->magnifierText().startsWith("#" + hexOf(pick.taken).toUpper()))
            << overlay->magnifierText().toStdString();
        QTest::keyClick(overlay, Qt::Key_Return);
        EXPECT_EQ(w.swatchRow().texts()[std::size_t(slot++)], colour::paddedDecimalText(pick.taken))
            << pick.at.x;
    }
    ASSERT_NE(onAdobeRgb(meanAsRead), meanAsRead);
    EXPECT_NE(onAdobeRgb(meanAsRead), colour::colourFromBytes(113, 50, 39))
        << "converting each pixel first would give another colour";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace tinctora::testing
