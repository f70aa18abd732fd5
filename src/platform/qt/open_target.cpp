#include "platform/qt/open_target.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tinctora::platform::qt {

std::optional<OpenTarget> openTargetOf(const QString& fileOrAddress) {
    const bool isPath = QDir::isAbsolutePath(fileOrAddress);
    const QUrl url = isPath ? QUrl::fromLocalFile(fileOrAddress) : QUrl(fileOrAddress);
    if (!url.isValid() || url.isRelative() ||
        (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())))
        return std::nullopt;
    return OpenTarget{isPath, isPath ? fileOrAddress : url.toString(QUrl::FullyEncoded)};
}

} // namespace tinctora::platform::qt
