#include "platform/qt/qt_desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace tinctora::platform::qt {

int shellOpenOutcome(const QString& fileOrAddress,
                     const std::function<bool(const QUrl&)>& handToDesktop) {
    // An absolute path is a file even when it holds characters that mean something in an address
    // ("#", "?", "%"); anything else is an address such as http://host/page.
    const QUrl url = QDir::isAbsolutePath(fileOrAddress) ? QUrl::fromLocalFile(fileOrAddress)
                                                         : QUrl(fileOrAddress);
    if (!url.isValid() || url.isRelative())
        return ShellOpen::kFileNotFound;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return ShellOpen::kFileNotFound;
    return handToDesktop(url) ? ShellOpen::kHandedOver : ShellOpen::kNoAssociation;
}

int QtShellOpen::open(const QString& fileOrAddress) {
    return shellOpenOutcome(fileOrAddress,
                            [](const QUrl& url) { return QDesktopServices::openUrl(url); });
}

} // namespace tinctora::platform::qt
