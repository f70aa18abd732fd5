#include "platform/win32/win32_desktop.h"

#include "platform/win32/win32_file_filter.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <windows.h>

#include <commdlg.h>

#include <vector>

namespace tinctora::platform::win32 {

namespace {

HWND windowOf(QWidget* parent) {
    return parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
}

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// The shared part of the open and save dialogs. The file name comes back in full, with the
// system's separators turned into Qt's; "" when the user cancelled or the dialog failed.
QString askForFileName(bool save, QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) {
    // The caller passes a folder, or a folder and a file name to start with.
    const QFileInfo start(folder);
    const bool isFolder = folder.endsWith(QLatin1Char('/')) || start.isDir();
    const QString initialFolder = QDir::toNativeSeparators(isFolder ? folder : start.path());
    const QString initialName = isFolder ? QString() : start.fileName();
    const QString systemFilter = fileDialogFilter(filter);

    // Room for the longest path Windows allows.
    std::vector<wchar_t> name(32768, L'\0');
    initialName.toWCharArray(name.data());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = windowOf(parent);
    dialog.lpstrFilter = filter.isEmpty() ? nullptr : wide(systemFilter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = wide(initialFolder);
    dialog.lpstrTitle = wide(title);
    // The palette commands decide about ".ini" and overwriting themselves, and a typed name that
    // does not exist is theirs to report. The program's current folder stays where it was, and
    // nothing is added to the user's recent documents.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return {};
    return QDir::fromNativeSeparators(QString::fromWCharArray(name.data()));
}

} // namespace

Win32Dialogs::Win32Dialogs(Dialogs& messages) : messages_(messages) {}

MessageAnswer Win32Dialogs::message(QWidget* parent, const QString& text, const QString& title,
                                    MessageButtons buttons, MessageIcon icon) {
    return messages_.message(parent, text, title, buttons, icon);
}

QString Win32Dialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                   const QString& filter) {
    return askForFileName(false, parent, title, folder, filter);
}

QString Win32Dialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                   const QString& filter) {
    return askForFileName(true, parent, title, folder, filter);
}

colour::ColourValue Win32Dialogs::chooseColour(colour::ColourValue initial,
                                               const colour::ColourValue (&customColours)[16]) {
    // Colour values are COLORREFs (0x00BBGGRR) already. The dialog may change its copy of the
    // custom colours; they are not kept from one call to the next.
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = static_cast<COLORREF>(customColours[i]);
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = nullptr; // a window of its own, as Qt's was
    dialog.lpCustColors = custom;
    // Always the full dialog with the custom colours; basic colours shown solid, any colour
    // offered; the initial colour preselected unless there is none.
    dialog.Flags = CC_FULLOPEN | CC_SOLIDCOLOR | CC_ANYCOLOR;
    if (initial != colour::kNoColour) {
        dialog.rgbResult = static_cast<COLORREF>(initial);
        dialog.Flags |= CC_RGBINIT;
    }
    if (!ChooseColorW(&dialog))
        return colour::kNoColour;
    return static_cast<colour::ColourValue>(dialog.rgbResult & 0x00FFFFFF);
}

} // namespace tinctora::platform::win32
