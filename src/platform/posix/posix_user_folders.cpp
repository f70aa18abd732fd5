#include "platform/user_folders.h"

#include <QStandardPaths>

namespace tinctora::platform {

QString privateTemporaryFolder() {
    // The runtime folder belongs to the user alone (mode 0700), unlike the shared /tmp.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder;
}

} // namespace tinctora::platform
