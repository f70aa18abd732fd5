#include "platform/user_folders.h"

#include <QStandardPaths>

namespace tinctora::platform {

QString privateTemporaryFolder() {
    // Windows gives every user a temporary folder of their own (%TEMP%); its "runtime" folder
    // would be the user's home folder itself.
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
}

} // namespace tinctora::platform
