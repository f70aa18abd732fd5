// The Contrast window, opened from the main window on the fake platform: its fields, bad input,
// picks from the frozen screen, swap, drops, the report and its copy.
#include "capture/freeze_overlay.h"
#include "colour/contrast.h"
#include "contrast/contrast_window.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tinctora::testing {
namespace {

using contrast::ContrastWindow;

constexpr std::int32_t kGrey77 = 0x777777;
// The frozen screen is one colour, so wherever the pointer is the pick is known.
constexpr std::int32_t kScreenColour = 0x563412; // #123456 as 0x00BBGGRR

// The report's exact text is pinned by the rules' own test; here the window must show and copy it.
QString greyOnWhite() {
    return QString::fromStdString(colour::contrastReport(kGrey77, 0xFFFFFF));
}

std::vector<ContrastWindow*> openContrastWindows() {
    return shownWindows<ContrastWindow>();
}

template <typename T> T* named(const QWidget* window, const char* name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString spoken(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// Drops data onto a widget as a drag from elsewhere would end; true when it was taken.
bool drop(QWidget* target, const QMimeData& data) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

TEST(ContrastWindow, FieldsPicksSwapDropsAndCopy) {
    MainWindowFixture f;
    QImage screen(64, 48, QImage::Format_RGB32);
    screen.fill(qRgb(0x12, 0x34, 0x56));
    f.fakes.grabber.outcome = {platform::GrabOutcome::Status::Grabbed,
                               platform::FrozenScreen{screen, {0, 0}, {{0, 0, 64, 48}}},
                               {}};
    f.fakes.pointer.at = platform::ScreenPoint{21, 13};
    app::MainWindow& w = f.load();
    f.sample(kGrey77);
    const QString panelText = ui(w).Text1->text();
    const auto rowBefore = f.row().texts();

    // The last Settings item opens one window, with the panel's colour as the text.
    QAction* item = ui(w).set->actions().value(ui(w).set->actions().size() - 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->objectName(), "contrast");
    EXPECT_EQ(item->text(), "Check Contrast...");
    EXPECT_TRUE(openContrastWindows().empty()) << "nothing exists before it is asked for";
    const std::size_t layerCalls = f.fakes.layer.calls.size();
    item->trigger();
    ui(w).altop->trigger();
    // In the topmost band with the main window, which would cover it otherwise, and out with it.
    EXPECT_EQ(
        std::vector<bool>(f.fakes.layer.calls.begin() + layerCalls, f.fakes.layer.calls.end()),
        (std::vector<bool>{true, false, false}));
    item->trigger(); // brings the open one forward
    ASSERT_EQ(openContrastWindows().size(), 1u);
    QPointer<ContrastWindow> c = openContrastWindows()[0];
    EXPECT_EQ(c->windowTitle(), "Contrast");
    EXPECT_FALSE(c->isModal());
    auto* text = named<QLineEdit>(c, "textField");
    auto* background = named<QLineEdit>(c, "backgroundField");
    auto* problem = named<QLabel>(c, "problemLine");
    EXPECT_EQ(text->text(), "#777777");
    EXPECT_EQ(background->text(), "#FFFFFF");
    EXPECT_EQ(c->focusWidget(), text);
    EXPECT_EQ(text->selectedText(), "#777777");
    EXPECT_EQ(c->report(), greyOnWhite());
    EXPECT_EQ(named<QPlainTextEdit>(c, "report")->toPlainText() + "\n", greyOnWhite())
        << "shown without an empty last line";

    // Mnemonics on the labels and buttons, and every control named as its caption says.
    EXPECT_EQ(named<QLabel>(c, "textLabel")->text(), "&Text:");
    EXPECT_EQ(named<QLabel>(c, "textLabel")->buddy(), text);
    EXPECT_EQ(named<QLabel>(c, "backgroundLabel")->text(), "&Background:");
    EXPECT_EQ(named<QLabel>(c, "backgroundLabel")->buddy(), background);
    const std::pair<const char*, const char*> buttons[] = {
        {"textPickButton", "Pick Te&xt"},
        {"backgroundPickButton", "Pic&k Background"},
        {"swapButton", "&Swap"},
        {"copyReportButton", "Copy &Report"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = named<QPushButton>(c, name);
        EXPECT_EQ(b->text(), caption);
        EXPECT_EQ(spoken(b), QString(caption).remove('&'));
    }
    EXPECT_EQ(spoken(text), "Text");
    EXPECT_EQ(spoken(background), "Background");
    EXPECT_EQ(spoken(named<QPlainTextEdit>(c, "report")), "Report");
    EXPECT_EQ(spoken(named<QPushButton>(c, "useAaButton")), "Use #767676 for AA");

    // Every form a user types; anything else keeps the last good colour and says which field.
    retype(background, "rgb(0, 0, 0)");
    EXPECT_EQ(c->backgroundColour(), 0);
    EXPECT_TRUE(problem->isHidden());
    retype(background, "#12345"); // "#123" on the way was the last good colour
    EXPECT_EQ(c->backgroundColour(), 0x332211);
    EXPECT_FALSE(problem->isHidden());
    EXPECT_TRUE(problem->text().startsWith("Background is not a colour"))
        << problem->text().toStdString();
    EXPECT_NE(background->palette().color(QPalette::Base), text->palette().color(QPalette::Base))
        << "the field is marked";
    retype(text, "nonsense");
    EXPECT_TRUE(problem->text().startsWith("Text and Background are not colours"));
    EXPECT_EQ(c->textColour(), kGrey77);
    EXPECT_TRUE(c->report().startsWith("Text #777777 on background #112233\n"));
    retype(text, "05649426");
    EXPECT_EQ(c->textColour(), kScreenColour);
    retype(text, "777777");
    retype(background, "#fff");
    EXPECT_TRUE(problem->isHidden());
    EXPECT_EQ(background->palette().color(QPalette::Base), text->palette().color(QPalette::Base));
    EXPECT_EQ(c->report(), greyOnWhite());

    // Enter takes the nearest text that passes AA.
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(text->text(), "#767676");

    // Swap.
    named<QPushButton>(c, "swapButton")->click();
    EXPECT_EQ(text->text(), "#FFFFFF");
    EXPECT_EQ(background->text(), "#767676");
    EXPECT_EQ(c->textColour(), 0xFFFFFF);
    EXPECT_EQ(c->backgroundColour(), 0x767676);

    // Drops: the main window's panel, a colour, a colour text; other text is refused.
    ASSERT_TRUE(drop(background, *std::unique_ptr<QMimeData>(ui(w).Picture1->dragData())));
    EXPECT_EQ(c->backgroundColour(), kGrey77);
    QMimeData colourData;
    colourData.setColorData(QColor(0xAA, 0xBB, 0xCC));
    ASSERT_TRUE(drop(text, colourData));
    EXPECT_EQ(text->text(), "#AABBCC");
    QMimeData colourText;
    colourText.setText("rgb(1, 2, 3)");
    ASSERT_TRUE(drop(named<widgets::ColourBox>(c, "backgroundSwatch"), colourText));
    EXPECT_EQ(background->text(), "#010203");
    QMimeData words;
    words.setText("not a colour");
    EXPECT_FALSE(drop(text, words));
    EXPECT_EQ(text->text(), "#AABBCC");
    // A swatch drags its own colour onto the other field.
    ASSERT_TRUE(drop(background, *std::unique_ptr<QMimeData>(
                                     named<widgets::ColourBox>(c, "textSwatch")->dragData())));
    EXPECT_EQ(background->text(), "#AABBCC");

    // Picks from the frozen screen go into the field only; Escape changes nothing.
    named<QPushButton>(c, "backgroundPickButton")->click();
    ASSERT_NE(openOverlay(), nullptr);
    QTest::keyClick(openOverlay(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openOverlay(), nullptr);
    EXPECT_EQ(background->text(), "#123456");
    named<QPushButton>(c, "textPickButton")->click();
    ASSERT_NE(openOverlay(), nullptr);
    QTest::keyClick(openOverlay(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(text->text(), "#AABBCC");
    EXPECT_EQ(f.row().texts(), rowBefore) << "a pick is not stored";
    EXPECT_EQ(ui(w).Text1->text(), panelText);
    EXPECT_TRUE(sampling(w)) << "capture goes on as it was";

    // Copy Report, and Ctrl+C unless a field has a selection.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    named<QPushButton>(c, "copyReportButton")->click();
    EXPECT_EQ(clipboard->text(), c->report());
    EXPECT_TRUE(clipboard->text().startsWith("Text #AABBCC on background #123456\n"));
    if (clipboard->supportsSelection()) {
        EXPECT_EQ(clipboard->text(QClipboard::Selection), c->report());
    }
    clipboard->clear();
    text->deselect();
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), c->report());
    text->setSelection(1, 2);
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "AA") << "a selection is copied as itself";

    // Closing deletes the window and changes nothing else.
    c->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(c.isNull());
    EXPECT_EQ(f.row().texts(), rowBefore);
    item->trigger();
    ASSERT_EQ(openContrastWindows().size(), 1u);
    EXPECT_EQ(openContrastWindows()[0]->textColour(), kGrey77) << "opens afresh";
    openContrastWindows()[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace tinctora::testing
