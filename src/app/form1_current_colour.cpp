// The current-colour panel: what capture shows, Load Color, and the copy-ready text boxes.
#include "app/Form1.h"
#include "capture/capture_controller.h"
#include "capture/colour_dialog.h"
#include "widgets/colour_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace tinctora::app {

namespace {

void setCaption(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void setText(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void Form1::showColour(const colour::ShownColour& shown) {
    // Every field in the fixed order, all from the one colour.
    const colour::ColourValue v = shown.value;
    Picture1->setBackColor(v);
    setCaption(Label1, QString::fromStdString(shown.decimalText));
    setCaption(Label2, QString::fromLatin1(colour::hexText(v)));
    const colour::RgbComponents rgb = colour::rgbComponents(v);
    setText(Text4, QString::number(rgb.red));
    setText(Text5, QString::number(rgb.green));
    setText(Text6, QString::number(rgb.blue));
    setCaption(Label3, QString::fromLatin1(colour::rgbTripleText(rgb)));
    setText(Text1, Label1->text());
    setText(Text2, Label2->text());
    setText(Text3, Label3->text());
}

void Form1::showStatus(const capture::StatusLines& lines) {
    setCaption(Label8, lines.capture);
    setCaption(Label9, lines.captured);
    setCaption(Label10, lines.add);
}

void Form1::Command2_Click() {
    if (capture_->mode() == capture::CaptureController::Mode::Live)
        capture_->freeze();
    // Before the first colour the dialog starts from black.
    const colour::ColourValue shown = capture_->current() ? capture_->current()->value : 0;
    std::optional<colour::ColourValue> chosen;
    outsideTopmostBand([&] { chosen = capture::askForColour(platform_.dialogs, shown); });
    if (chosen)
        capture_->showFrozen({*chosen, colour::plainDecimalText(*chosen)});
}

void Form1::HighlightText() {
    capture_->freeze();
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

void Form1::Text_GotFocus(QLineEdit* box, Qt::FocusReason reason) {
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    // Only entering by keyboard counts: a click has its own handler, and coming back to the
    // window must not stop a capture the user resumed meanwhile.
    if (!byKeyboard)
        return;
    if (box == Text1) {
        // The decimal box is entered without stopping capture or selecting (Qt's line edit
        // would select its whole text on Tab).
        Text1->deselect();
        return;
    }
    HighlightText();
}

} // namespace tinctora::app
