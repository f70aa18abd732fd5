// Live sampling and capture control on the main window: the sampling tick, the hot keys, Start
// and Stop, and the three status lines.
#include "capture/freeze_overlay.h"
#include "widget_test_support.h"

#include <QApplication>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

using platform::HotKey;

const char kPressF4[] = "Press F4 To Capture Color";
const char kPressF3[] = "Press F3 to start Capture";
const char kPressF2[] = "Press F2 To Add Color";

// What the status lines and the sampling timer show together.
struct CaptureLook {
    bool sampling;
    std::string line8;
    std::string line9;
    std::string line10;
    friend bool operator==(const CaptureLook&, const CaptureLook&) = default;
    friend std::ostream& operator<<(std::ostream& os, const CaptureLook& l) {
        return os << (l.sampling ? "sampling" : "frozen") << " [" << l.line8 << "] [" << l.line9
                  << "] [" << l.line10 << "]";
    }
};

CaptureLook look(const app::MainWindow& w) {
    return {sampling(w), ui(w).Label8->text().toStdString(), ui(w).Label9->text().toStdString(),
            ui(w).Label10->text().toStdString()};
}

const CaptureLook kLive{true, kPressF4, "", kPressF2};
const CaptureLook kFrozen{false, kPressF3, "CAPTURED", ""};
// Resumed, before the first tick has cleared "CAPTURED".
const CaptureLook kResumed{true, kPressF4, "CAPTURED", kPressF2};

// The panel's fields, as the user sees them.
struct Panel {
    std::optional<std::int32_t> colour;
    std::string decimal, hex, triple, red, green, blue;
    friend bool operator==(const Panel&, const Panel&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Panel& p) {
        return os << (p.colour ? std::to_string(*p.colour) : "none") << " " << p.decimal << " "
                  << p.hex << " " << p.triple << " " << p.red << "/" << p.green << "/" << p.blue;
    }
};

Panel panel(const app::MainWindow& w) {
    return {ui(w).Picture1->backColor(),       ui(w).Text1->text().toStdString(),
            ui(w).Text2->text().toStdString(), ui(w).Text3->text().toStdString(),
            ui(w).Text4->text().toStdString(), ui(w).Text5->text().toStdString(),
            ui(w).Text6->text().toStdString()};
}

const Panel kOrange{33023, "00033023", "FF8000", "255, 128, 000", "255", "128", "0"};

// --- Status lines and the sampling timer ----------------------------------------------------

TEST(CaptureControl, StartsLive) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    EXPECT_EQ(look(w), kLive);
}

TEST(CaptureControl, StopAndStartButtons) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).Command3->click();
    EXPECT_EQ(look(w), kFrozen);
    ui(w).Command3->click();
    EXPECT_EQ(look(w), kFrozen) << "Stop while frozen changes nothing";
    ui(w).Command1->click();
    EXPECT_EQ(look(w), kResumed) << "Start leaves CAPTURED to the first tick";
    f.sample(255);
    EXPECT_EQ(look(w), kLive);
    ui(w).Command1->click();
    EXPECT_EQ(look(w), kLive) << "Start while live changes nothing";
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots()) << "Stop stores nothing";
}

TEST(CaptureControl, F4FreezesOnceAndF3Resumes) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(33023);
    f.fakes.keys.press(HotKey::F3);
    EXPECT_EQ(look(w), kLive) << "F3 does nothing while live";
    f.fakes.keys.release(HotKey::F3);

    f.fakes.keys.press(HotKey::F4);
    EXPECT_EQ(look(w), kFrozen);
    EXPECT_EQ(w.swatchRow().texts()[0], "00033023");
    f.fakes.keys.press(HotKey::F4); // still held: the keyboard repeats it
    f.fakes.keys.release(HotKey::F4);
    f.fakes.keys.press(HotKey::F4); // pressed again while frozen
    EXPECT_EQ(w.swatchRow().texts()[1], "0") << "F4 stores once: capture is frozen afterwards";

    f.fakes.keys.release(HotKey::F4);
    f.fakes.keys.press(HotKey::F3);
    EXPECT_EQ(look(w), kResumed);
    f.sample(255);
    EXPECT_EQ(look(w), kLive) << "the first tick after resuming clears CAPTURED";
}

TEST(CaptureControl, F3ResumesAfterTheStopButton) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).Command3->click();
    f.fakes.keys.tap(HotKey::F3); // however short the press
    EXPECT_EQ(look(w), kResumed);
}

TEST(CaptureControl, WithKeyEventsNothingTicksWhileFrozen) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    const auto running = [&f] { return f.clock.runningCount(); };
    EXPECT_EQ(running(), 1) << "live: the sampling tick only";
    EXPECT_TRUE(f.fakes.keys.heard());
    f.fakes.keys.press(HotKey::F4);
    EXPECT_EQ(running(), 0) << "frozen: nothing wakes until a key or the user";
    f.fakes.keys.release(HotKey::F4);
    f.fakes.keys.press(HotKey::F3);
    EXPECT_EQ(running(), 1);
    w.capture().end();
    EXPECT_EQ(running(), 0);
    EXPECT_FALSE(f.fakes.keys.heard());
}

TEST(CaptureControl, WithoutKeyEventsTheKeysArePolled) {
    MainWindowFixture f;
    f.fakes.keys.mode = platform::KeyState::Delivery::Polling;
    app::MainWindow& w = f.load();
    EXPECT_FALSE(f.fakes.keys.heard());
    f.sample(33023);
    f.fakes.keys.tap(HotKey::F4); // pressed and released between two polls
    EXPECT_EQ(look(w), kLive) << "nothing happens before the poll";
    f.poll();
    EXPECT_EQ(look(w), kFrozen);
    f.fakes.keys.tap(HotKey::F2);
    f.poll();
    EXPECT_EQ(w.swatchRow().texts()[1], "00033023");
    f.fakes.keys.press(HotKey::F3);
    f.poll();
    EXPECT_EQ(look(w), kResumed);
}

TEST(CaptureControl, TapsOfF4AndF3Count) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(33023);
    f.fakes.keys.tap(HotKey::F4);
    EXPECT_EQ(look(w), kFrozen);
    EXPECT_EQ(w.swatchRow().texts()[0], "00033023");
    f.fakes.keys.tap(HotKey::F3);
    EXPECT_EQ(look(w), kResumed);
    f.sample(255);
    f.fakes.keys.tap(HotKey::F4);
    EXPECT_EQ(w.swatchRow().texts()[1], "00000255") << "every tap counts, not only the first";
}

TEST(CaptureControl, AHeldKeyActsOnceAcrossStopAndStart) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).Command3->click();
    f.fakes.keys.press(HotKey::F3);
    EXPECT_EQ(look(w), kResumed);
    ui(w).Command3->click();
    f.fakes.keys.press(HotKey::F3); // still held: the keyboard repeats it
    EXPECT_EQ(look(w), kFrozen) << "a held F3 does not undo Stop";
    f.fakes.keys.release(HotKey::F3);

    f.fakes.keys.press(HotKey::F4); // frozen: this press finds nothing to freeze
    ui(w).Command1->click();
    f.sample(255);
    f.fakes.keys.press(HotKey::F4); // still held
    EXPECT_EQ(look(w), kLive) << "a held F4 does not undo Start";
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    f.fakes.keys.release(HotKey::F4);
    f.fakes.keys.press(HotKey::F4);
    EXPECT_EQ(look(w), kFrozen) << "a new press freezes";
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
}

TEST(CaptureControl, F2AddsOncePerPressWhileTheColourKeepsChanging) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(255);
    f.fakes.keys.press(HotKey::F2);
    f.fakes.keys.press(HotKey::F2); // held: the keyboard repeats it
    EXPECT_EQ(look(w), kLive) << "F2 does not freeze";
    f.sample(65280);
    f.fakes.keys.release(HotKey::F2);
    f.fakes.keys.tap(HotKey::F2);
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
    EXPECT_EQ(w.swatchRow().texts()[1], "00065280");
    EXPECT_EQ(w.swatchRow().texts()[2], "0");
    EXPECT_EQ(ui(w).Text1->text(), "00065280");
}

TEST(CaptureControl, F4AndF2TogetherStoreTheColourTwice) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(16711680);
    f.fakes.keys.together({{HotKey::F4, true}, {HotKey::F2, true}});
    EXPECT_EQ(look(w), kFrozen);
    EXPECT_EQ(w.swatchRow().texts()[0], "16711680");
    EXPECT_EQ(w.swatchRow().texts()[1], "16711680");
    EXPECT_EQ(w.swatchRow().texts()[2], "0");
}

// --- Freezing the screen and picking from it ---------------------------------------------------

// A 64 x 48 frozen screen of one monitor whose pixels differ in red with x and in green with y.
platform::FrozenScreen frozenScreen() {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 3, y * 5, 0x40));
    return {image, {0, 0}, {{0, 0, 64, 48}}};
}
// The colour of frozenScreen() at (21, 13), as 0x00BBGGRR.
constexpr std::int32_t kPickedAt21x13 = 0x40 << 16 | 65 << 8 | 63;

struct FreezeFixture : MainWindowFixture {
    FreezeFixture() {
        fakes.grabber.outcome = {platform::GrabOutcome::Status::Grabbed, frozenScreen(), {}};
        fakes.pointer.at = platform::ScreenPoint{21, 13};
        fakes.screen.paint({21, 13}, kPickedAt21x13); // the live screen shows the same
    }
    ~FreezeFixture() {
        if (capture::FreezeOverlay* left = openOverlay())
            left->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The user points at (21, 13) and taps F6.
    void pressF6() {
        fakes.pointer.at = platform::ScreenPoint{21, 13};
        fakes.keys.tap(HotKey::F6);
        poll();
    }
    // Sends a key to the open overlay; false when none is open.
    bool keyToOverlay(Qt::Key key) {
        capture::FreezeOverlay* overlay = openOverlay();
        if (!overlay)
            return false;
        QTest::keyClick(overlay, key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }
};

TEST(CaptureControl, F6PicksFromTheFrozenScreenAndStoresLikeF4) {
    FreezeFixture f;
    app::MainWindow& w = f.load();
    f.sample(kPickedAt21x13);
    f.fakes.keys.tap(HotKey::F4);
    f.poll(); // the live colour, stored by F4, for comparison
    const Panel byF4 = panel(w);
    ui(w).Command1->click();
    f.sample(255);

    f.pressF6();
    ASSERT_NE(openOverlay(), nullptr);
    EXPECT_EQ(look(w), kLive) << "capture is as it was while the frozen screen is open";
    f.fakes.keys.tap(HotKey::F6);
    f.fakes.keys.tap(HotKey::F4);
    f.fakes.keys.tap(HotKey::F2);
    f.poll();
    EXPECT_EQ(f.fakes.grabber.grabs, 1) << "F6 does nothing while the frozen screen is open";
    EXPECT_EQ(w.swatchRow().texts()[1], "0") << "nor do F4 and F2";

    ASSERT_TRUE(f.keyToOverlay(Qt::Key_Return));
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_EQ(panel(w), byF4);
    EXPECT_EQ(look(w), kFrozen);
    EXPECT_EQ(w.swatchRow().texts()[1], w.swatchRow().texts()[0]);
    EXPECT_EQ(ui(w).Picture(3)->backColor(), ui(w).Picture(2)->backColor());
    EXPECT_EQ(w.swatchRow().texts()[2], "0");

    f.poll();    // a poll that sees F6 up re-arms it
    f.pressF6(); // F6 works again once it has closed, also while frozen
    EXPECT_NE(openOverlay(), nullptr);
    EXPECT_EQ(f.fakes.grabber.grabs, 2);
}

TEST(CaptureControl, TheMenuItemFreezesTooAndEscapeChangesNothing) {
    FreezeFixture f;
    app::MainWindow& w = f.load();
    f.sample(33023);
    ui(w).frzpick->trigger();
    ASSERT_NE(openOverlay(), nullptr);
    EXPECT_FALSE(f.tick()) << "the frozen screen covering the live one is not sampled";
    ASSERT_TRUE(f.keyToOverlay(Qt::Key_Escape));
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_TRUE(f.tick());
    EXPECT_EQ(panel(w), kOrange);
    EXPECT_EQ(look(w), kLive);
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    f.pressF6(); // the keys act again once it has closed
    EXPECT_EQ(f.fakes.grabber.grabs, 2);
}

TEST(CaptureControl, AFailedFreezeSaysWhyAndChangesNothing) {
    FreezeFixture f;
    f.fakes.grabber.outcome = {platform::GrabOutcome::Status::Failed, std::nullopt,
                               "The screen changed size while it was read."};
    f.fakes.dialogs.messageAnswers.push_back(platform::MessageAnswer::Ok);
    app::MainWindow& w = f.load();
    f.sample(33023);
    ui(w).Command3->click();
    ui(w).frzpick->trigger();
    EXPECT_EQ(openOverlay(), nullptr);
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.messages[0].text, "The screen changed size while it was read.");
    EXPECT_EQ(f.fakes.dialogs.messages[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(panel(w), kOrange);
    EXPECT_EQ(look(w), kFrozen);
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    f.fakes.dialogs.messageAnswers.push_back(platform::MessageAnswer::Ok);
    f.pressF6(); // not stuck: F6 tries again
    EXPECT_EQ(f.fakes.dialogs.messages.size(), 2u);
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty());
}

// --- Sampling ---------------------------------------------------------------------------------

TEST(Sampling, OneTickReadsThePointerOnceAndThePixelOnce) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.fakes.pointer.at = platform::ScreenPoint{300, 200};
    f.fakes.screen.paint({300, 200}, 33023);
    const int pointerReads = f.fakes.pointer.reads;
    const int pixelReads = f.fakes.screen.reads;
    ASSERT_TRUE(f.tick());
    EXPECT_EQ(f.fakes.pointer.reads - pointerReads, 1);
    EXPECT_EQ(f.fakes.screen.reads - pixelReads, 1);
    EXPECT_EQ(panel(w), kOrange);
    EXPECT_EQ(ui(w).Label1->text(), "00033023");
    EXPECT_EQ(ui(w).Label2->text(), "FF8000");
    EXPECT_EQ(ui(w).Label3->text(), "255, 128, 000");
    EXPECT_EQ(ui(w).Picture1->shownColour(), QColor(255, 128, 0));
}

// A screen that changes under the pointer at every read, as it does while the pointer moves.
class ChangingScreen final : public platform::ScreenPixels {
public:
    std::int32_t next = 0x102030;
    std::int32_t pixelAt(platform::ScreenPoint) override { return next++; }
};

TEST(Sampling, EveryFieldShowsTheSameSample) {
    MainWindowFixture f;
    ChangingScreen screen;
    platform::fake::FakePlatform& k = f.fakes;
    platform::Platform moving{k.pointer,    screen,    k.keys,    k.layer, k.shell,
                              k.downloader, k.dialogs, k.grabber, k.mover, QString()};
    app::MainWindow w(moving, f.folder(), about::vendorBaseAddress(), f.clock.factory());
    w.startUp();
    ASSERT_TRUE(f.tick());
    // 0x102030: red 0x30, green 0x20, blue 0x10.
    EXPECT_EQ(panel(w), (Panel{0x102030, "01056816", "302010", "048, 032, 016", "48", "32", "16"}));
    // So an add stores a text that matches the swatch it paints.
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts()[0], "01056816");
    EXPECT_EQ(ui(w).Picture(2)->backColor(), 0x102030);
}

TEST(Sampling, UnreadablePixelKeepsTheLastGoodColour) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(33023);
    f.sample(-1);
    EXPECT_EQ(panel(w), kOrange);
    f.fakes.pointer.at.reset(); // the pointer cannot be read either
    ASSERT_TRUE(f.tick());
    EXPECT_EQ(panel(w), kOrange);
    EXPECT_EQ(look(w), kLive) << "sampling goes on";

    f.fakes.keys.press(HotKey::F4);
    EXPECT_EQ(w.swatchRow().texts()[0], "00033023")
        << "an add after a failed read stores the good one";
    EXPECT_EQ(ui(w).Picture(2)->backColor(), 33023);

    f.fakes.keys.release(HotKey::F4);
    f.fakes.keys.press(HotKey::F3);
    f.sample(1193046);
    EXPECT_EQ(ui(w).Text1->text(), "01193046")
        << "sampling resumes when the screen is readable again";
}

TEST(Sampling, UnreadableScreenFromTheStartShowsAndStoresNothing) {
    MainWindowFixture f;
    f.fakes.screen.background = -1;
    app::MainWindow& w = f.load();
    ASSERT_TRUE(f.tick());
    ASSERT_TRUE(f.tick());
    EXPECT_EQ(panel(w), Panel{});
    EXPECT_EQ(ui(w).Label1->text(), "0");
    f.fakes.keys.press(HotKey::F2);
    f.fakes.keys.press(HotKey::F4);
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_FALSE(w.swatchRow().changed());
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

TEST(Sampling, TickWithAnUnchangedPixelChangesNothing) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    PaintCounter swatchPaints(ui(w).Picture1);
    f.sample(33023);
    QApplication::processEvents();
    EXPECT_GT(swatchPaints.count, 0) << "a new colour repaints the swatch";
    // The user has selected the decimal text to copy it; the next ticks must not undo that.
    ui(w).Text1->selectAll();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QLineEdit* t :
         {ui(w).Text1, ui(w).Text2, ui(w).Text3, ui(w).Text4, ui(w).Text5, ui(w).Text6})
        spies.push_back(std::make_unique<QSignalSpy>(t, &QLineEdit::textChanged));
    swatchPaints.count = 0;
    f.sample(33023);
    f.sample(33023);
    QApplication::processEvents();
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
    EXPECT_EQ(ui(w).Text1->selectedText(), "00033023");
    EXPECT_EQ(swatchPaints.count, 0) << "the swatch was repainted";
    EXPECT_EQ(panel(w), kOrange);
}

} // namespace
} // namespace tinctora::testing
