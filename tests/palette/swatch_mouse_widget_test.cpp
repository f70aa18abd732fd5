// The user's mouse work on the swatch row: recall by click, the Show/Delete popup, Clear List, and
// dragging the current colour from Picture1 onto a swatch.
#include "slot_rows.h"
#include "widget_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tinctora::testing {
namespace {

using platform::MessageAnswer;

constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kTeal = 0x563412; // #123456

using palette::row;

QByteArray fileOf(const palette::SlotTexts& r) {
    QByteArray bytes;
    for (const std::string& t : r)
        bytes += QByteArray::fromStdString(t) + "\r\n";
    return bytes;
}

// --- Mouse on the swatches --------------------------------------------------------------------

TEST(SwatchMouse, MovingOverASwatchThenClickingItRecallsIt) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255", "05649426"})));
    app::MainWindow& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    f.sample(kRed);
    QTest::mouseMove(ui(w).Picture(3), QPoint(10, 10));
    QTest::mouseClick(ui(w).Picture(3), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(ui(w).Text1->text(), "05649426");
    EXPECT_EQ(ui(w).Picture1->backColor(), kTeal);
    EXPECT_FALSE(sampling(w));
    EXPECT_FALSE(w.swatchRow().changed()) << "a recall changes no slot";
}

TEST(SwatchMouse, ClickOnAnEmptySwatchChangesNothing) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kRed);
    emit ui(w).Picture(7)->mouseMoved();
    emit ui(w).Picture(7)->clicked();
    EXPECT_TRUE(sampling(w));
    EXPECT_EQ(ui(w).Text1->text(), "00000255");
}

TEST(SwatchMouse, RightButtonOpensThePopupAndShowRecallsThatSwatch) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255", "05649426"})));
    app::MainWindow& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mousePress(ui(w).Picture(3), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_TRUE(ui(w).mnu->isVisible());
    const QStringList items{ui(w).mnu->actions()[0]->text(), ui(w).mnu->actions()[1]->text()};
    EXPECT_EQ(items, (QStringList{"Show", "Delete"}));
    ui(w).mnu->hide();
    // The mouse went on to swatch 1 meanwhile: Show still acts on the swatch pressed.
    emit ui(w).Picture(2)->mouseMoved();
    ui(w).shom->trigger();
    EXPECT_EQ(ui(w).Text1->text(), "05649426");
    // Show forgets the pressed swatch: a Delete now empties none.
    ui(w).del->trigger();
    EXPECT_EQ(w.swatchRow().texts(), row({"00000255", "05649426"}));
}

TEST(SwatchMouse, LeftButtonRemembersTheSwatchWithoutAPopup) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    emit ui(w).Picture(13)->mousePressed(Qt::LeftButton);
    EXPECT_FALSE(ui(w).mnu->isVisible());
    // Delete from the popup acts on that swatch.
    ui(w).del->trigger();
    EXPECT_TRUE(w.swatchRow().changed());
}

TEST(SwatchMouse, DeleteLeavesAHoleThatTheNextAddFills) {
    MainWindowFixture f;
    palette::SlotTexts full;
    for (int k = 0; k < palette::kSlotCount; ++k)
        full[static_cast<std::size_t>(k)] = std::to_string(100 + k);
    f.writeDefaultPalette(fileOf(full));
    app::MainWindow& w = f.load();
    emit ui(w).Picture(4)->mousePressed(Qt::RightButton);
    ui(w).mnu->hide();
    ui(w).del->trigger();
    EXPECT_TRUE(w.swatchRow().changed());
    EXPECT_EQ(w.swatchRow().texts()[2], "0");
    EXPECT_FALSE(ui(w).Picture(4)->backColor().has_value())
        << "the hole shows the empty-slot colour";

    f.sample(kTeal);
    f.fakes.keys.tap(platform::HotKey::F2);
    palette::SlotTexts expected = full;
    expected[2] = "05649426";
    EXPECT_EQ(w.swatchRow().texts(), expected);
    EXPECT_EQ(ui(w).Picture(4)->backColor(), kTeal);
}

TEST(SwatchMouse, DeleteOfAnEmptyOrUnknownSwatchStillMarksTheRowChanged) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255"})));
    app::MainWindow& w = f.load();
    // Delete without a swatch pressed, on an empty swatch, and once more after it forgot it.
    for (int pressed : {0, 5, 0}) {
        ui(w).svpal->trigger(); // nothing unsaved
        ASSERT_FALSE(w.swatchRow().changed());
        if (pressed)
            emit ui(w).Picture(pressed)->mousePressed(Qt::RightButton);
        ui(w).mnu->hide();
        ui(w).del->trigger();
        EXPECT_TRUE(w.swatchRow().changed()) << pressed;
        EXPECT_EQ(w.swatchRow().texts(), row({"00000255"})) << pressed;
    }
}

TEST(ClearList, AsksFirstAndOnlyYesEmptiesTheRow) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255", "05649426"})));
    app::MainWindow& w = f.load();
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    ui(w).cleall->trigger();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    const auto& asked = f.fakes.dialogs.messages[0];
    EXPECT_EQ(asked.text, "Clear Current Pallet?");
    EXPECT_EQ(asked.title, "Clear");
    EXPECT_EQ(asked.buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, platform::MessageIcon::Question);
    EXPECT_EQ(w.swatchRow().texts(), row({"00000255", "05649426"}));
    EXPECT_FALSE(w.swatchRow().changed());

    ui(w).cleall->trigger();
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_FALSE(ui(w).Picture(2)->backColor().has_value());
    EXPECT_TRUE(w.swatchRow().changed());

    ui(w).svpal->trigger(); // nothing unsaved
    ui(w).cleall->trigger();
    EXPECT_TRUE(w.swatchRow().changed()) << "even an empty row is marked changed";
}

// --- Drag and drop ----------------------------------------------------------------------------

// Offscreen, QDrag::exec returns at once, so the drop is delivered as the desktop would deliver
// it: enter, move and drop events carrying the data Picture1's drag offers.
bool dropOn(QWidget* target, const QMimeData* data) {
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

std::unique_ptr<QMimeData> dragFrom(app::MainWindow& w) {
    return std::unique_ptr<QMimeData>(ui(w).Picture1->dragData());
}

TEST(DragAndDrop, CurrentColourOffersOurFormatTheDesktopColourAndTheHexText) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    const std::unique_ptr<QMimeData> data = dragFrom(w);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->formats().contains(app::MainWindow::kColourMimeType));
    EXPECT_TRUE(data->formats().contains("application/x-color"));
    EXPECT_TRUE(data->hasColor());
    EXPECT_EQ(data->colorData().value<QColor>(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(data->text(), "#123456") << "text fields for colours expect the #";
    // The drag icon is a square of the dragged colour inside a dark edge.
    const QImage icon = ui(w).Picture1->dragIcon(*data).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(16, 16), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(icon.pixelColor(2, 29), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(icon.pixelColor(31, 31), QColor(Qt::black));

    f.sample(kRed);
    const std::unique_ptr<QMimeData> red = dragFrom(w);
    EXPECT_EQ(red->text(), "#FF0000");
    EXPECT_EQ(ui(w).Picture1->dragIcon(*red).toImage().pixelColor(16, 16), QColor(Qt::red));
    for (int k = 1; k <= palette::kSlotCount; ++k)
        EXPECT_FALSE(ui(w).Picture(k + 1)->dragData()) << "only Picture1 is a drag source";
}

TEST(DragAndDrop, DropFillsAnEmptySwatchOrReplacesAFilledOneAndStopsCapture) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255"})));
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    ASSERT_TRUE(sampling(w));
    EXPECT_TRUE(dropOn(ui(w).Picture(6), dragFrom(w).get()));
    EXPECT_FALSE(sampling(w));
    EXPECT_EQ(ui(w).Label9->text(), "CAPTURED");
    EXPECT_EQ(w.swatchRow().texts(), row({"00000255", "0", "0", "0", "05649426"}));
    EXPECT_EQ(ui(w).Picture(6)->backColor(), kTeal);
    EXPECT_TRUE(w.swatchRow().changed());

    // The decimal text goes in unchanged: plain after Load Color.
    f.fakes.dialogs.colourAnswers = {0x00FF00};
    ui(w).Command2->click();
    EXPECT_TRUE(dropOn(ui(w).Picture(2), dragFrom(w).get()));
    EXPECT_EQ(w.swatchRow().texts(), row({"65280", "0", "0", "0", "05649426"}));
    EXPECT_EQ(ui(w).Picture(2)->backColor(), 0x00FF00);

    // Black from the dialog shows as a bare "0", the empty slot's text: F2 and a drop store it
    // zero-filled, so it stays black in the swatch and in the file.
    f.fakes.dialogs.colourAnswers = {0};
    ui(w).Command2->click();
    EXPECT_EQ(ui(w).Text1->text(), "0");
    f.fakes.keys.tap(platform::HotKey::F2);
    EXPECT_TRUE(dropOn(ui(w).Picture(4), dragFrom(w).get()));
    EXPECT_EQ(w.swatchRow().texts(), row({"65280", "00000000", "00000000", "0", "05649426"}));
    EXPECT_EQ(ui(w).Picture(3)->backColor(), 0);
    EXPECT_EQ(ui(w).Picture(4)->backColor(), 0);
}

TEST(DragAndDrop, DropsWithoutOurFormatOrFromAnotherWindowAreRefused) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(kTeal);
    QMimeData foreign;
    foreign.setText("123");
    foreign.setColorData(QColor(Qt::red));
    EXPECT_FALSE(dropOn(ui(w).Picture(2), &foreign));

    MainWindowFixture other;
    app::MainWindow& otherWindow = other.load();
    other.sample(kRed);
    EXPECT_FALSE(dropOn(ui(w).Picture(2), dragFrom(otherWindow).get()));

    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_TRUE(sampling(w));
    EXPECT_FALSE(w.swatchRow().changed());
}

TEST(DragAndDrop, BeforeTheFirstSampleADropStoresNothing) {
    MainWindowFixture f;
    f.fakes.pointer.at.reset(); // the pointer cannot be read: no colour is ever shown
    app::MainWindow& w = f.load();
    ASSERT_TRUE(f.tick());
    const std::unique_ptr<QMimeData> data = dragFrom(w);
    EXPECT_FALSE(data->hasColor());
    EXPECT_FALSE(data->hasText());
    EXPECT_EQ(ui(w).Picture1->dragIcon(*data).size(), QSize(32, 32))
        << "the program's drag picture";
    dropOn(ui(w).Picture(2), data.get());
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_FALSE(w.swatchRow().changed());
}

TEST(DragAndDrop, PressingOnPicture1StartsTheDragAtOnce) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    f.sample(kTeal);
    // Offscreen the drag ends at once; the drag object it leaves shows that it started.
    QTest::mousePress(ui(w).Picture1, Qt::LeftButton, {}, QPoint(20, 20));
    const QList<QDrag*> drags = ui(w).Picture1->findChildren<QDrag*>();
    ASSERT_EQ(drags.size(), 1);
    EXPECT_EQ(drags[0]->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(drags[0]->pixmap().toImage().pixelColor(16, 16), QColor(0x12, 0x34, 0x56));
    ASSERT_TRUE(drags[0]->mimeData());
    EXPECT_TRUE(drags[0]->mimeData()->hasFormat(app::MainWindow::kColourMimeType));
    QTest::mouseRelease(ui(w).Picture1, Qt::LeftButton, {}, QPoint(20, 20));
}

} // namespace
} // namespace tinctora::testing
