#include "platform/qt/qt_desktop.h"

#include "colour/qt_colour.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>

namespace tinctora::platform::qt {

QtDialogs::QtDialogs() {
    // The dialogs would otherwise write sixteen black custom colours and our folders into every
    // other Qt program's dialogs. The user's Qt settings are looked for below a device, which
    // can never be a folder: nothing is found there, and every write fails quietly, also for a
    // process running as root. System-wide defaults are still read.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

MessageAnswer QtDialogs::message(QWidget* parent, const QString& text, const QString& title,
                                 MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowTitle(title);
    switch (icon) {
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MessageButtons::SaveAsRetryOk:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Ok);
        // The standard Save As has no "..." and no role of its own.
        box.addButton("Save As...", QMessageBox::ActionRole);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    const int pressed = box.exec();
    if (box.clickedButton() && box.buttonRole(box.clickedButton()) == QMessageBox::ActionRole)
        return MessageAnswer::SaveAs;
    switch (pressed) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        // Closing a Yes/No/Cancel box with Escape or the close box means Cancel.
        return buttons == MessageButtons::YesNo         ? MessageAnswer::No
               : buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel
                                                        : MessageAnswer::Ok;
    }
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter) {
    // A filter's patterns stay out of sight: the caption before them says what is listed.
    return QFileDialog::getOpenFileName(parent, title, folder, filter, nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter) {
    // The palette commands decide about ".ini" and overwriting themselves.
    return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite |
                                            QFileDialog::HideNameFilterDetails);
}

colour::ColourValue QtDialogs::chooseColour(colour::ColourValue initial,
                                            const colour::ColourValue (&customColours)[16]) {
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, colour::toQColor(customColours[i]));
    const QColor start =
        initial == colour::kNoColour ? QColor(Qt::black) : colour::toQColor(initial);
    // Qt's own dialog: a desktop's native one may ignore the custom colours. No owner, so it
    // stays a window of its own; no alpha channel, as colour values have none.
    const QColor chosen =
        QColorDialog::getColor(start, nullptr, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return colour::kNoColour;
    return colour::fromQColor(chosen);
}

} // namespace tinctora::platform::qt
