// The main window as a screen reader reads it through Qt's accessibility interfaces, and the
// swatch row worked from the keyboard alone.
#include "widget_test_support.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

constexpr std::int32_t kFirebrick = 0x2222B2;     // #B22222, a named colour
constexpr std::int32_t kNearFirebrick = 0x2322B2; // #B22223

QAccessibleInterface* reader(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    return reader(object)->text(QAccessible::Name);
}

QString descriptionOf(QObject* object) {
    return reader(object)->text(QAccessible::Description);
}

// The DescriptionChanged news Qt would hand to a listening screen reader, per object. On the
// offscreen platform nobody ever listens.
QList<QObject*> g_described;
void recordUpdate(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged)
        g_described << event->object();
}

TEST(Accessibility, NamesAndDescriptionsFollowTheColours) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"02237106", "0", "16672271"}));
    app::MainWindow& w = f.load();
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordUpdate);
    g_described.clear();

    // Before the first colour the panel has a name and nothing to describe.
    EXPECT_EQ(nameOf(ui(w).Picture1), "Current colour");
    EXPECT_EQ(descriptionOf(ui(w).Picture1), "");
    f.sample(kFirebrick);
    // What the values are (as read, or sRGB through a display profile) comes after.
    EXPECT_EQ(descriptionOf(ui(w).Picture1), "#B22222, firebrick\nValues as read");
    EXPECT_EQ(ui(w).Picture1->description(), "#B22222, firebrick\nValues as read") << "its tooltip";
    f.sample(kNearFirebrick);
    EXPECT_EQ(descriptionOf(ui(w).Picture1), "#B22223, near firebrick\nValues as read");

    // Each value box by its caption; every button and box says something.
    const std::pair<QLineEdit*, const char*> boxes[] = {
        {ui(w).Text1, "Long"},  {ui(w).Text2, "Hex"},  {ui(w).Text4, "Red"},
        {ui(w).Text5, "Green"}, {ui(w).Text6, "Blue"}, {ui(w).Text3, "RGB"}};
    for (const auto& [box, caption] : boxes)
        EXPECT_EQ(nameOf(box), caption) << box->objectName().toStdString();
    for (QWidget* control : w.findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(control) || qobject_cast<QLineEdit*>(control) ||
            qobject_cast<QGroupBox*>(control) || qobject_cast<widgets::ColourBox*>(control)) {
            EXPECT_FALSE(nameOf(control).isEmpty()) << control->objectName().toStdString();
        }
    }

    // The swatches by number, colour and name, as buttons; the filled ones' tooltips.
    EXPECT_EQ(nameOf(ui(w).Picture(2)), "Swatch 1, #B22222, firebrick");
    EXPECT_EQ(reader(ui(w).Picture(2))->role(), QAccessible::Button);
    EXPECT_EQ(ui(w).Picture(2)->toolTip(), "#B22222, firebrick");
    EXPECT_EQ(nameOf(ui(w).Picture(3)), "Swatch 2, empty");
    EXPECT_EQ(ui(w).Picture(3)->toolTip(), "");
    EXPECT_EQ(nameOf(ui(w).Picture(4)), "Swatch 3, #0F66FE, near royalblue");
    EXPECT_EQ(nameOf(ui(w).Picture(13)), "Swatch 12, empty");

    // F2 fills the hole and renames that swatch; a recall moves the panel's description on.
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    EXPECT_EQ(nameOf(ui(w).Picture(3)), "Swatch 2, #B22223, near firebrick");
    reader(ui(w).Picture(4))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(descriptionOf(ui(w).Picture1), "#0F66FE, near royalblue\nValues as read");
    EXPECT_FALSE(sampling(w));
    EXPECT_TRUE(g_described.isEmpty()) << "nobody is told while no screen reader listens";
    QAccessible::installUpdateHandler(previous);
}

// The colour at a point of a widget as drawn.
QColor drawnAt(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

TEST(Accessibility, TheSwatchesWorkFromTheKeyboard) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"02237106", "16672271", "05649426"}));
    app::MainWindow& w = f.load();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    f.sample(kFirebrick);

    // After the buttons, Tab reaches the swatches; a focus frame shows inside the border only.
    widgets::ColourBox* first = ui(w).Picture(2);
    const QRect geometry = first->geometry();
    const QPoint inside = first->contentsRect().topLeft();
    EXPECT_EQ(drawnAt(first, inside), QColor(0xB2, 0x22, 0x22));
    ui(w).Command3->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ui(w).Command3, Qt::Key_Tab);
    ASSERT_TRUE(first->hasFocus());
    EXPECT_EQ(drawnAt(first, inside), QColor(Qt::black));
    EXPECT_EQ(first->geometry(), geometry);

    // Left and Right move along the row and stop at its ends.
    QTest::keyClick(first, Qt::Key_Left);
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Right);
    ASSERT_TRUE(ui(w).Picture(3)->hasFocus());
    EXPECT_EQ(drawnAt(first, inside), QColor(0xB2, 0x22, 0x22)) << "the frame left with the focus";

    // Space and Enter recall, as a left click does.
    QTest::keyClick(ui(w).Picture(3), Qt::Key_Space);
    EXPECT_EQ(ui(w).Text1->text(), "16672271");
    EXPECT_FALSE(sampling(w));
    QTest::keyClick(ui(w).Picture(3), Qt::Key_Right);
    QTest::keyClick(ui(w).Picture(4), Qt::Key_Return);
    EXPECT_EQ(ui(w).Text1->text(), "05649426");
    EXPECT_FALSE(w.swatchRow().changed());

    // Delete empties the focused swatch only.
    QTest::keyClick(ui(w).Picture(4), Qt::Key_Delete);
    EXPECT_EQ(w.swatchRow().texts()[2], "0");
    EXPECT_EQ(nameOf(ui(w).Picture(4)), "Swatch 3, empty");
    EXPECT_TRUE(w.swatchRow().changed());

    // Shift+F10 opens the popup at the swatch, Show first; Down and Enter pick Delete.
    QTest::keyClick(ui(w).Picture(4), Qt::Key_Left);
    QTest::keyClick(ui(w).Picture(3), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(ui(w).mnu->isVisible());
    EXPECT_TRUE(ui(w).mnu->geometry().contains(
        ui(w).Picture(3)->mapToGlobal(ui(w).Picture(3)->rect().center())));
    EXPECT_EQ(ui(w).mnu->activeAction(), ui(w).shom);
    QTest::keyClick(ui(w).mnu, Qt::Key_Down);
    QTest::keyClick(ui(w).mnu, Qt::Key_Return);
    EXPECT_FALSE(ui(w).mnu->isVisible());
    EXPECT_EQ(w.swatchRow().texts()[1], "0");
    EXPECT_EQ(w.swatchRow().texts()[0], "02237106");

    // The Menu key opens it too; Show recalls the swatch it was opened on.
    QTest::keyClick(ui(w).Picture(3), Qt::Key_Left);
    QTest::keyClick(first, Qt::Key_Menu);
    ASSERT_TRUE(ui(w).mnu->isVisible());
    QTest::keyClick(ui(w).mnu, Qt::Key_Return);
    EXPECT_EQ(ui(w).Text1->text(), "02237106");
}

} // namespace
} // namespace tinctora::testing
