#include "platform/qt/qt_desktop.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace tinctora::platform::qt {

int QtShellOpen::open(const QString& fileOrAddress) {
    const QUrl url = QUrl::fromUserInput(fileOrAddress);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return kFileNotFound;
    return QDesktopServices::openUrl(url) ? kHandedOver : kNoAssociation;
}

} // namespace tinctora::platform::qt
