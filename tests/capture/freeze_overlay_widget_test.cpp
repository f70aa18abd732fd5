// The frozen-screen overlay on the fake platform: what it picks, how the keys and buttons end it,
// what the magnifier shows and that the picture goes when it closes.
#include "capture/capture_controller.h"
#include "capture/freeze_overlay.h"
#include "capture/manual_clock.h"
#include "fakes/fake_platform.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace tinctora::capture {
namespace {

using namespace colour;

using platform::FrozenScreen;
using platform::GrabOutcome;
using platform::ScreenPoint;

// Each picture pixel tells where it is: red and green are x and y (up to 255), blue the origin's
// share, so a pixel read one place off shows.
QRgb pictureColour(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, 0x40);
}
ColourValue colourOf(QRgb rgb) {
    return colour::colourFromBytes(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// A 256 x 200 screen of two monitors side by side, with its top-left at origin.
FrozenScreen frozenScreen(ScreenPoint origin = {0, 0}) {
    QImage image(256, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, pictureColour(x, y));
    return {image, origin, {{origin.x, origin.y, 128, 200}, {origin.x + 128, origin.y, 128, 200}}};
}

class FreezeOverlayTest : public ::testing::Test {
protected:
    // Opens an overlay on the picture with the pointer at a screen pixel.
    FreezeOverlay& open(ScreenPoint at, FrozenScreen screen = frozenScreen()) {
        pointer.at = at;
        overlay = std::make_unique<FreezeOverlay>(std::move(screen), pointer, mover);
        picked = std::make_unique<QSignalSpy>(overlay.get(), &FreezeOverlay::picked);
        cancelled = std::make_unique<QSignalSpy>(overlay.get(), &FreezeOverlay::cancelled);
        overlay->open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(overlay.get()));
        return *overlay;
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(overlay.get(), k, modifiers);
    }
    // The colours picked so far.
    std::vector<ColourValue> pickedColours() const {
        std::vector<ColourValue> colours;
        for (const QList<QVariant>& call : *picked)
            colours.push_back(call.at(0).value<ColourValue>());
        return colours;
    }
    bool endedWithoutPick() const {
        return picked->isEmpty() && cancelled->count() == 1 && !overlay->isVisible();
    }

    platform::fake::FakePointer pointer;
    platform::fake::FakePointerMover mover{pointer};
    std::unique_ptr<FreezeOverlay> overlay;
    std::unique_ptr<QSignalSpy> picked;
    std::unique_ptr<QSignalSpy> cancelled;
};

TEST_F(FreezeOverlayTest, CoversTheFrozenScreenExactly) {
    open({10, 10}, frozenScreen({0, 0}));
    EXPECT_EQ(overlay->geometry(), QRect(0, 0, 256, 200));
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_TRUE(overlay->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(overlay->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(FreezeOverlayTest, ALeftClickPicksThePicturesPixelUnderThePointerAndCloses) {
    open({37, 150});
    pointer.at = ScreenPoint{201, 7}; // on the second monitor, wherever Qt thinks the click is
    QTest::mouseClick(overlay.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(pickedColours(), std::vector<ColourValue>{colourOf(pictureColour(201, 7))});
    EXPECT_TRUE(cancelled->isEmpty());
    EXPECT_FALSE(overlay->isVisible());
}

TEST_F(FreezeOverlayTest, PicksByScreenPixelWhenThePictureDoesNotStartAtZero) {
    open({150, 80}, frozenScreen({100, 50}));
    key(Qt::Key_Return);
    EXPECT_EQ(pickedColours(), std::vector<ColourValue>{colourOf(pictureColour(50, 30))});
}

TEST_F(FreezeOverlayTest, ArrowKeysMoveThePointerByOnePixelAndShiftByTenThenEnterPicks) {
    open({100, 100});
    EXPECT_EQ(overlay->magnifierText(), "#646440  1 × 1\n100, 100, 064");
    key(Qt::Key_Right);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Up, Qt::ShiftModifier);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(mover.moves,
              (std::vector<std::pair<int, int>>{
                  {1, 0}, {0, 10}, {-1, 0}, {-1, 0}, {0, -1}, {10, 0}, {0, -10}, {-10, 0}}));
    EXPECT_EQ(pointer.at, (ScreenPoint{99, 99}));
    // The magnifier followed without the mouse moving.
    EXPECT_EQ(overlay->magnifierText(), "#636340  1 × 1\n099, 099, 064");
    EXPECT_TRUE(picked->isEmpty());
    key(Qt::Key_Enter);
    EXPECT_EQ(pickedColours(), std::vector<ColourValue>{colourOf(pictureColour(99, 99))});
    EXPECT_FALSE(overlay->isVisible());
}

TEST_F(FreezeOverlayTest, EscapeAndARightClickCloseWithoutPicking) {
    const std::function<void()> endings[] = {
        [this] { key(Qt::Key_Escape); },
        [this] { QTest::mouseClick(overlay.get(), Qt::RightButton, {}, QPoint(40, 40)); },
        [this] { overlay->close(); }, // closed by the desktop
    };
    for (const auto& end : endings) {
        open({40, 40});
        end();
        EXPECT_TRUE(endedWithoutPick());
        // Nothing more arrives afterwards.
        key(Qt::Key_Return);
        EXPECT_TRUE(endedWithoutPick());
    }
}

TEST_F(FreezeOverlayTest, EscapeWorksWhenThePointerCannotBeMoved) {
    mover.canMove = false;
    open({60, 60});
    key(Qt::Key_Right);
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(mover.moves.size(), 2u);
    EXPECT_EQ(pointer.at, (ScreenPoint{60, 60}));
    EXPECT_EQ(overlay->magnifierText(), "#3C3C40  1 × 1\n060, 060, 064");
    key(Qt::Key_Escape);
    EXPECT_TRUE(endedWithoutPick());
}

TEST_F(FreezeOverlayTest, ThePictureIsLetGoWhenTheOverlayCloses) {
    const std::function<void()> endings[] = {
        [this] { key(Qt::Key_Escape); },
        [this] { key(Qt::Key_Return); },
        [this] { QTest::mouseClick(overlay.get(), Qt::RightButton, {}, QPoint(40, 40)); },
        [this] { overlay->close(); },
    };
    for (const auto& end : endings) {
        FrozenScreen screen = frozenScreen();
        QImage kept = screen.image; // shares the pixels while the overlay holds them too
        open({10, 10}, std::move(screen));
        EXPECT_FALSE(kept.isDetached());
        end();
        EXPECT_TRUE(kept.isDetached());
    }
}

TEST_F(FreezeOverlayTest, TheMagnifierShowsTheZoomedPixelsAroundThePointer) {
    open({60, 100});
    pointer.at = ScreenPoint{2, 100};
    QTest::mouseMove(overlay.get(), QPoint(1, 66));
    ASSERT_EQ(overlay->magnifierText(), "#026440  1 × 1\n002, 100, 064");
    const QImage shown = overlay->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(256, 200));
    const std::vector<ScreenRect> monitors{{0, 0, 128, 200}, {128, 0, 128, 200}};
    const MagnifierLayout layout = layOutMagnifier({2, 100}, monitors);
    // The middle of a cell, in the overlay's pixels.
    const auto cell = [&](int column, int row) {
        return shown.pixel(layout.grid.x + column * 9 + 4, layout.grid.y + row * 9 + 4);
    };
    EXPECT_EQ(cell(7, 7), pictureColour(2, 100));
    EXPECT_EQ(cell(14, 0), pictureColour(9, 93));
    EXPECT_EQ(cell(5, 14), pictureColour(0, 107));
    // Left of the screen's edge there is no pixel to show.
    EXPECT_NE(cell(4, 7), pictureColour(0, 100));
    EXPECT_NE(qRed(cell(4, 7)), 0xFF);
    // The grid's lines darken or lighten every pixel under them once, each alike, and twice
    // where a row's line crosses a column's: a grey line that covers 43 % of what is under it.
    const auto underGridLine = [](QRgb cellColour) {
        const auto channel = [](int c) {
            return c + static_cast<int>(std::lround((128 - c) * 0.43));
        };
        return qRgb(channel(qRed(cellColour)), channel(qGreen(cellColour)),
                    channel(qBlue(cellColour)));
    };
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
               std::abs(qBlue(a) - qBlue(b)) <= 1;
    };
    for (int column = 5; column < 15; ++column) {
        if (column == 7 || column == 8)
            continue; // the centre pixel's outline lies on these
        for (int row = 0; row < 15; ++row) {
            const QRgb once = underGridLine(cell(column, row));
            // The panel's black outline runs along the grid's top.
            for (int dy = row == 0 ? 1 : 0; dy < 9; ++dy)
                ASSERT_TRUE(
                    near(shown.pixel(layout.grid.x + column * 9, layout.grid.y + row * 9 + dy),
                         dy == 0 ? underGridLine(once) : once))
                    << "column line " << column << ", row " << row << " + " << dy;
        }
    }
    // Away from the magnifier the picture is shown as it was, pixel for pixel.
    for (const QPoint p : {QPoint(255, 0), QPoint(200, 199), QPoint(130, 20)})
        EXPECT_EQ(shown.pixel(p), pictureColour(p.x(), p.y())) << p.x() << "," << p.y();
}

// A checkerboard of single black and white pixels, black where x + y is even, on one monitor.
FrozenScreen checkerboardScreen() {
    QImage image(300, 250, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return {image, {0, 0}, {{0, 0, 300, 250}}};
}

TEST_F(FreezeOverlayTest, TheWheelAndPlusMinusAverageASquareThatEnterPicks) {
    open({51, 50}, checkerboardScreen()); // a white pixel
    const auto wheel = [this](int notches) {
        QWheelEvent turn(QPointF(5, 5), overlay->mapToGlobal(QPointF(5, 5)), {},
                         QPoint(0, notches * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                         false);
        QCoreApplication::sendEvent(overlay.get(), &turn);
    };
    EXPECT_EQ(overlay->magnifierText(), "#FFFFFF  1 × 1\n255, 255, 255");
    wheel(1); // 5 of 9 white: 141.67
    EXPECT_EQ(overlay->magnifierText(), "#8E8E8E  3 × 3\n142, 142, 142");
    key(Qt::Key_Plus); // 13 of 25: 132.6
    EXPECT_EQ(overlay->magnifierText(), "#858585  5 × 5\n133, 133, 133");
    wheel(5); // up to 11 and no further: 61 of 121, 128.55
    EXPECT_EQ(overlay->magnifierText(), "#818181  11 × 11\n129, 129, 129");
    key(Qt::Key_Minus);
    wheel(-2);
    key(Qt::Key_Minus);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    key(Qt::Key_Minus); // down to 1 and no further
    EXPECT_EQ(overlay->magnifierText(), "#FFFFFF  1 × 1\n255, 255, 255");
    wheel(2);
    // The square is outlined black outside, white inside: on the left, a row whose first cell
    // inside is black and whose last outside is white.
    const QImage shown = overlay->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const MagnifierLayout layout = layOutMagnifier({51, 50}, {{0, 0, 300, 250}}, {}, 5);
    const int row = layout.grid.y + 6 * 9 + 4;
    EXPECT_EQ(shown.pixel(layout.apertureOutline.x, row), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(layout.apertureOutline.x - 1, row), qRgb(0, 0, 0));
    // The square follows the pointer: around the black pixel beside it, 12 of 25.
    key(Qt::Key_Right);
    EXPECT_EQ(overlay->magnifierText(), "#7A7A7A  5 × 5\n122, 122, 122");
    key(Qt::Key_Return);
    EXPECT_EQ(pickedColours(), std::vector<ColourValue>{colour::colourFromBytes(122, 122, 122)});
    // The next freeze starts with one pixel again.
    open({51, 50}, checkerboardScreen());
    EXPECT_EQ(overlay->magnifierText(), "#FFFFFF  1 × 1\n255, 255, 255");
}

QList<QObject*> g_described; // what Qt would tell a listening screen reader has changed
void recordUpdate(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged)
        g_described << event->object();
}

TEST_F(FreezeOverlayTest, AScreenReaderReadsTheMagnifierAndItsReadout) {
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordUpdate);
    g_described.clear();
    open({51, 50}, checkerboardScreen());
    QAccessibleInterface* magnifier = QAccessible::queryAccessibleInterface(overlay.get());
    EXPECT_EQ(magnifier->text(QAccessible::Name), "Magnifier");
    EXPECT_EQ(magnifier->text(QAccessible::Description), "#FFFFFF  1 × 1, 255, 255, 255");
    key(Qt::Key_Plus);
    EXPECT_EQ(magnifier->text(QAccessible::Description), "#8E8E8E  3 × 3, 142, 142, 142");
    key(Qt::Key_Right);
    EXPECT_EQ(magnifier->text(QAccessible::Description), "#717171  3 × 3, 113, 113, 113");
    EXPECT_TRUE(g_described.isEmpty()) << "nobody is told at every move while nobody listens";
    QAccessible::installUpdateHandler(previous);
}

// --- Grabbing and opening, as capture does it --------------------------------------------------

FreezeOverlay* openOverlay() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* overlay = qobject_cast<FreezeOverlay*>(w); overlay && overlay->isVisible())
            return overlay;
    return nullptr;
}

class FreezeAndPickTest : public ::testing::Test {
protected:
    FreezeAndPickTest() {
        QObject::connect(&controller, &CaptureController::addRequested,
                         [this](const ShownColour& c) { added.push_back(c.value); });
        QObject::connect(&controller, &CaptureController::freezeAndPickFailed,
                         [this](const QString& m) { failed << m; });
        controller.begin();
    }
    void TearDown() override {
        if (FreezeOverlay* left = openOverlay())
            left->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool sampling() { return clock.tick(CaptureController::kSampleIntervalMs); }

    platform::fake::FakePlatform fakes;
    testing::ManualClock clock;
    CaptureController controller{fakes.platform, clock.factory()};
    std::vector<ColourValue> added;
    QStringList failed;
};

TEST_F(FreezeAndPickTest, AFailedGrabReportsItsMessageAndOpensNothing) {
    fakes.grabber.outcome = {GrabOutcome::Status::Failed, std::nullopt,
                             "The screen could not be read."};
    controller.startFreezeAndPick();
    EXPECT_EQ(failed, QStringList{"The screen could not be read."});
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(controller.mode(), CaptureController::Mode::Live);
    EXPECT_TRUE(sampling());
}

TEST_F(FreezeAndPickTest, ACancelledGrabOpensNothing) {
    fakes.grabber.outcome = {GrabOutcome::Status::Cancelled, std::nullopt, {}};
    controller.startFreezeAndPick();
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_EQ(controller.mode(), CaptureController::Mode::Live);
    EXPECT_TRUE(sampling());
}

TEST_F(FreezeAndPickTest, AGrabAnsweredLaterOpensTheOverlayThenAndItsPickArrives) {
    fakes.grabber.answerLater = true;
    fakes.grabber.outcome = {GrabOutcome::Status::Grabbed, frozenScreen(), {}};
    fakes.pointer.at = ScreenPoint{130, 5};
    controller.startFreezeAndPick();
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_FALSE(sampling()) << "the picture covers the live screen";
    ASSERT_TRUE(fakes.grabber.answer());
    FreezeOverlay* overlay = openOverlay();
    ASSERT_NE(overlay, nullptr);
    QPointer<FreezeOverlay> watched(overlay);
    QTest::keyClick(overlay, Qt::Key_Return);
    EXPECT_EQ(added, std::vector<ColourValue>{colourOf(pictureColour(130, 5))});
    EXPECT_EQ(controller.current(), (ShownColour{colourOf(pictureColour(130, 5)), "04195714"}));
    EXPECT_EQ(controller.mode(), CaptureController::Mode::Frozen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull()); // the overlay and its picture are gone
}

} // namespace
} // namespace tinctora::capture
