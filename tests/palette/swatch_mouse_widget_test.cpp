// The user's mouse work on the swatch row: recall by click, the Show/Delete popup, Clear List, and
// dragging the current colour from Picture1 onto a swatch.
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
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tinctora::testing {
namespace {

using platform::MessageAnswer;

constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kTeal = 0x563412; // #123456

palette::SlotTexts row(std::initializer_list<const char*> texts) {
    palette::SlotTexts r = palette::emptySlots();
    std::size_t i = 0;
    for (const char* t : texts)
        r[i++] = t;
    return r;
}

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
    app::Form1& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    f.sample(kRed);
    QTest::mouseMove(w.Picture(3), QPoint(10, 10));
    EXPECT_EQ(w.selectedSlot, "2");
    QTest::mouseClick(w.Picture(3), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(w.Text1->text(), "05649426");
    EXPECT_EQ(w.Picture1->backColor(), kTeal);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.selectedSlot, "");
    EXPECT_FALSE(w.paletteChanged) << "a recall changes no slot";
}

TEST(SwatchMouse, ClickOnAnEmptySwatchChangesNothing) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    f.sample(kRed);
    w.Picture_MouseMove(7);
    w.Picture_Click(7);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Text1->text(), "00000255");
}

TEST(SwatchMouse, RightButtonOpensThePopupAndShowRecallsThatSwatch) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255", "05649426"})));
    app::Form1& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mousePress(w.Picture(3), Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(w.mnuTag, "3");
    EXPECT_TRUE(w.mnu->isVisible());
    const QStringList items{w.mnu->actions()[0]->text(), w.mnu->actions()[1]->text()};
    EXPECT_EQ(items, (QStringList{"Show", "Delete"}));
    w.mnu->hide();
    // The mouse went on to swatch 1 meanwhile: Show still acts on the swatch pressed.
    w.Picture_MouseMove(2);
    w.shom->trigger();
    EXPECT_EQ(w.Text1->text(), "05649426");
    EXPECT_EQ(w.mnuTag, "0");
    EXPECT_EQ(w.selectedSlot, "");
}

TEST(SwatchMouse, LeftButtonRemembersTheSwatchWithoutAPopup) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    w.Picture_MouseDown(13, Qt::LeftButton);
    EXPECT_EQ(w.mnuTag, "13");
    EXPECT_FALSE(w.mnu->isVisible());
}

TEST(SwatchMouse, DeleteLeavesAHoleThatTheNextAddFills) {
    MainWindowFixture f;
    palette::SlotTexts full;
    for (int k = 0; k < palette::kSlotCount; ++k)
        full[static_cast<std::size_t>(k)] = std::to_string(100 + k);
    f.writeDefaultPalette(fileOf(full));
    app::Form1& w = f.load();
    w.Picture_MouseDown(4, Qt::RightButton);
    w.mnu->hide();
    w.del->trigger();
    EXPECT_TRUE(w.paletteChanged);
    EXPECT_EQ(w.mnuTag, "0");
    EXPECT_EQ(w.savedColors[2], "0");
    EXPECT_FALSE(w.Picture(4)->backColor().has_value()) << "the hole shows the empty-slot colour";

    f.sample(kTeal);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    palette::SlotTexts expected = full;
    expected[2] = "05649426";
    EXPECT_EQ(w.savedColors, expected);
    EXPECT_EQ(w.Picture(4)->backColor(), kTeal);
}

TEST(SwatchMouse, DeleteOfAnEmptyOrUnknownSwatchStillMarksTheRowChanged) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255"})));
    app::Form1& w = f.load();
    for (const char* tag : {"5", "0", "14", "x"}) {
        w.paletteChanged = false;
        w.mnuTag = tag;
        w.del_Click();
        EXPECT_TRUE(w.paletteChanged) << tag;
        EXPECT_EQ(w.savedColors, row({"00000255"})) << tag;
        EXPECT_EQ(w.mnuTag, "0");
    }
}

TEST(ClearList, AsksFirstAndOnlyYesEmptiesTheRow) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255", "05649426"})));
    app::Form1& w = f.load();
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    w.cleall->trigger();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    const auto& asked = f.fakes.dialogs.messages[0];
    EXPECT_EQ(asked.text, "Clear Current Pallet?");
    EXPECT_EQ(asked.title, "Clear");
    EXPECT_EQ(asked.buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, platform::MessageIcon::Question);
    EXPECT_EQ(w.savedColors, row({"00000255", "05649426"}));
    EXPECT_FALSE(w.paletteChanged);

    w.cleall_Click();
    EXPECT_EQ(w.savedColors, palette::emptySlots());
    EXPECT_FALSE(w.Picture(2)->backColor().has_value());
    EXPECT_TRUE(w.paletteChanged);

    w.paletteChanged = false;
    w.cleall_Click();
    EXPECT_TRUE(w.paletteChanged) << "even an empty row is marked changed";
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

std::unique_ptr<QMimeData> dragFrom(app::Form1& w) {
    return std::unique_ptr<QMimeData>(w.Picture1->dragData());
}

TEST(DragAndDrop, CurrentColourOffersOurFormatTheDesktopColourAndTheHexText) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    f.sample(kTeal);
    const std::unique_ptr<QMimeData> data = dragFrom(w);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->formats().contains(app::Form1::kColourMimeType));
    EXPECT_TRUE(data->formats().contains("application/x-color"));
    EXPECT_TRUE(data->hasColor());
    EXPECT_EQ(data->colorData().value<QColor>(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(data->text(), "#123456") << "text fields for colours expect the #";
    // The drag icon is a square of the dragged colour inside a dark edge.
    const QImage icon = w.Picture1->dragIcon(*data).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(16, 16), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(icon.pixelColor(2, 29), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(icon.pixelColor(31, 31), QColor(Qt::black));

    f.sample(kRed);
    const std::unique_ptr<QMimeData> red = dragFrom(w);
    EXPECT_EQ(red->text(), "#FF0000");
    EXPECT_EQ(w.Picture1->dragIcon(*red).toImage().pixelColor(16, 16), QColor(Qt::red));
    for (int k = 1; k <= palette::kSlotCount; ++k)
        EXPECT_FALSE(w.Picture(k + 1)->dragData()) << "only Picture1 is a drag source";
}

TEST(DragAndDrop, DropFillsAnEmptySwatchOrReplacesAFilledOneAndStopsCapture) {
    MainWindowFixture f;
    f.writeDefaultPalette(fileOf(row({"00000255"})));
    app::Form1& w = f.load();
    f.sample(kTeal);
    ASSERT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(dropOn(w.Picture(6), dragFrom(w).get()));
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Label9->text(), "CAPTURED");
    EXPECT_EQ(w.savedColors, row({"00000255", "0", "0", "0", "05649426"}));
    EXPECT_EQ(w.Picture(6)->backColor(), kTeal);
    EXPECT_TRUE(w.paletteChanged);

    // The decimal text goes in unchanged: plain after Load Color.
    f.fakes.dialogs.colourAnswers = {0x00FF00};
    w.Command2_Click();
    EXPECT_TRUE(dropOn(w.Picture(2), dragFrom(w).get()));
    EXPECT_EQ(w.savedColors, row({"65280", "0", "0", "0", "05649426"}));
    EXPECT_EQ(w.Picture(2)->backColor(), 0x00FF00);
}

TEST(DragAndDrop, DropsWithoutOurFormatOrFromAnotherWindowAreRefused) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    f.sample(kTeal);
    QMimeData foreign;
    foreign.setText("123");
    foreign.setColorData(QColor(Qt::red));
    EXPECT_FALSE(dropOn(w.Picture(2), &foreign));

    MainWindowFixture other;
    app::Form1& otherWindow = other.load();
    other.sample(kRed);
    EXPECT_FALSE(dropOn(w.Picture(2), dragFrom(otherWindow).get()));

    EXPECT_EQ(w.savedColors, palette::emptySlots());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.paletteChanged);
}

TEST(DragAndDrop, BeforeTheFirstSampleADropStoresNothing) {
    MainWindowFixture f;
    f.fakes.pointer.at.reset(); // the pointer cannot be read: no colour is ever shown
    app::Form1& w = f.load();
    w.Timer1_Timer();
    const std::unique_ptr<QMimeData> data = dragFrom(w);
    EXPECT_FALSE(data->hasColor());
    EXPECT_FALSE(data->hasText());
    EXPECT_EQ(w.Picture1->dragIcon(*data).size(), QSize(32, 32)) << "the program's drag picture";
    dropOn(w.Picture(2), data.get());
    EXPECT_EQ(w.savedColors, palette::emptySlots());
    EXPECT_FALSE(w.paletteChanged);
}

TEST(DragAndDrop, PressingOnPicture1StartsTheDragAtOnce) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    f.sample(kTeal);
    // Offscreen the drag ends at once; the drag object it leaves shows that it started.
    QTest::mousePress(w.Picture1, Qt::LeftButton, {}, QPoint(20, 20));
    const QList<QDrag*> drags = w.Picture1->findChildren<QDrag*>();
    ASSERT_EQ(drags.size(), 1);
    EXPECT_EQ(drags[0]->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(drags[0]->pixmap().toImage().pixelColor(16, 16), QColor(0x12, 0x34, 0x56));
    ASSERT_TRUE(drags[0]->mimeData());
    EXPECT_TRUE(drags[0]->mimeData()->hasFormat(app::Form1::kColourMimeType));
    QTest::mouseRelease(w.Picture1, Qt::LeftButton, {}, QPoint(20, 20));
}

} // namespace
} // namespace tinctora::testing
