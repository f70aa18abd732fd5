// "Load Color", recall of a saved colour, and the copy-ready text boxes.
#include "app/Form1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>

namespace tinctora::app {

namespace {

std::optional<capture::ColourValue> numberIn(const std::string& text) {
    return capture::parseDecimalColour(text);
}

// A colour value in the high byte names no plain colour: the dialog then opens with its own
// default instead of a made-up colour.
constexpr std::uint32_t kNotPlainColourBits = 0xFF000000u;

} // namespace

void Form1::Command2_Click() {
    if (Timer1->isActive())
        Command3_Click();
    // The decimal box holds a number once a colour is shown, and nothing before the first one
    // (the dialog then starts from black). Any other text is no colour to start from: the panel
    // stays as it is, rather than showing a made-up colour.
    const std::string shown = Text1->text().toStdString();
    std::optional<capture::ColourValue> initial = numberIn(shown);
    if (shown.empty())
        initial = 0;
    if (!initial)
        return;

    capture::ColourValue c = capture::kNoColour;
    if (altop->isChecked()) {
        // The dialog has no owner, so a topmost main window would cover it.
        platform.layer.setTopmost(this, false);
        c = ShowColorDialog(0, false, *initial);
        platform.layer.setTopmost(this, true);
    } else {
        c = ShowColorDialog(0, false, *initial);
    }
    // Only Cancel (or a dialog that failed) answers -1; black is 0, a colour like any other.
    if (c == capture::kNoColour)
        return;
    colourReadOut(c, QString::fromStdString(capture::plainDecimalText(c)));
}

std::int32_t Form1::ShowColorDialog(std::int32_t, bool, std::int32_t InitColor) {
    // Custom colours picked in one call are not kept for the next.
    const std::int32_t customColors[16] = {};
    std::int32_t initial = 0;
    if (InitColor != 0)
        initial = (static_cast<std::uint32_t>(InitColor) & kNotPlainColourBits) == 0
                      ? InitColor
                      : capture::kNoColour;
    return platform.dialogs.chooseColour(initial, customColors);
}

void Form1::CallBox() {
    bool isNumber = false;
    const int n = selectedSlot.toInt(&isNumber);
    if (!isNumber || n < 1 || n > palette::kSlotCount)
        return;
    const std::string& t = savedColors[static_cast<std::size_t>(n - 1)];
    if (palette::isEmptySlot(t))
        return;
    // A hand-edited palette may hold a text that is no number: it is no colour to show.
    const std::optional<capture::ColourValue> v = numberIn(t);
    if (!v)
        return;
    Command3_Click();
    colourReadOut(*v, QString::fromStdString(t));
    selectedSlot.clear();
}

void Form1::HighlightText() {
    Command3_Click();
    // The box that was clicked or tabbed into holds the focus of this window.
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    if (!box)
        return;
    box->selectAll();
    // A selection made by program is not offered to a middle-click paste by itself, as one made
    // with the mouse is: hand it to the desktop's primary selection too.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && box->hasSelectedText())
        clipboard->setText(box->selectedText(), QClipboard::Selection);
}

void Form1::Text_Click(int) {
    HighlightText();
}

void Form1::Text_GotFocus(int n, Qt::FocusReason reason) {
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    // Only entering by keyboard counts: a click has its own handler, and coming back to the
    // window must not stop a capture the user resumed meanwhile.
    if (!byKeyboard)
        return;
    if (n == 1) {
        // The decimal box is entered without stopping capture or selecting (Qt's line edit
        // would select its whole text on Tab).
        Text1->deselect();
        return;
    }
    HighlightText();
}

} // namespace tinctora::app
