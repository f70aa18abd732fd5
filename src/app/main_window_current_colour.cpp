// The current-colour panel: what capture shows, Load Color, and the copy-ready text boxes.
#include "app/main_window.h"
#include "app/settings_file.h"
#include "capture/capture_controller.h"
#include "capture/colour_dialog.h"
#include "colour/colour_names.h"
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

void MainWindow::showColour(const colour::ShownColour& shown) {
    // Every field in the fixed order, all from the one colour.
    const colour::ColourValue v = shown.value;
    const QString decimal = QString::fromStdString(shown.decimalText);
    const QString hex = QString::fromLatin1(colour::hexText(v));
    const colour::RgbComponents rgb = colour::rgbComponents(v);
    const QString triple = QString::fromLatin1(colour::rgbTripleText(rgb));
    if (currentColourBox_->backColor() != v) {
        currentColourBox_->setBackColor(v);
        currentColourBox_->descriptionChanged();
    }
    setCaption(decimalHolder_, decimal);
    setCaption(hexHolder_, hex);
    setText(redBox_, QString::number(rgb.red));
    setText(greenBox_, QString::number(rgb.green));
    setText(blueBox_, QString::number(rgb.blue));
    setCaption(tripleHolder_, triple);
    setText(decimalBox_, decimal);
    setText(hexBox_, hex);
    setText(tripleBox_, triple);
}

QString MainWindow::currentColourDescription() const {
    // The hex code and the name first; lines about the colour that the tooltip adds come after.
    const std::optional<colour::ColourValue> v = currentColourBox_->backColor();
    const QString values = capture_->valuesExplanation();
    return v ? QString::fromStdString(colour::spokenColour(*v)) + "\n" + values : QString();
}

void MainWindow::showStatus(const capture::StatusLines& lines) {
    setCaption(captureLine_, lines.capture);
    setCaption(capturedLine_, lines.captured);
    setCaption(addLine_, lines.add);
    if (capturedLine_->toolTip() != lines.capturedTip)
        capturedLine_->setToolTip(lines.capturedTip);
}

void MainWindow::setSrgbValues(bool on) {
    srgbValuesAction_->setChecked(on);
    capture_->setSrgbValues(on);
    writeFlag(settingsFile_, kShowSrgbValues, on);
}

void MainWindow::showValuesExplanation(const QString&) {
    // The panel's description ends with it (currentColourDescription).
    currentColourBox_->descriptionChanged();
}

void MainWindow::loadColour() {
    if (capture_->mode() == capture::CaptureController::Mode::Live)
        capture_->freeze();
    // Before the first colour the dialog starts from black.
    const colour::ColourValue shown = capture_->current() ? capture_->current()->value : 0;
    std::optional<colour::ColourValue> chosen;
    outsideTopmostBand([&] { chosen = capture::askForColour(platform_.dialogs, shown); });
    if (chosen)
        capture_->showFrozen({*chosen, colour::plainDecimalText(*chosen)});
}

void MainWindow::selectFocusedValue() {
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

void MainWindow::valueBoxFocused(QLineEdit* box, Qt::FocusReason reason) {
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason;
    // Only entering by keyboard counts: a click has its own handler, and coming back to the
    // window must not stop a capture the user resumed meanwhile.
    if (!byKeyboard)
        return;
    if (box == decimalBox_) {
        // The decimal box is entered without stopping capture or selecting (Qt's line edit
        // would select its whole text on Tab).
        decimalBox_->deselect();
        return;
    }
    selectFocusedValue();
}

} // namespace tinctora::app
