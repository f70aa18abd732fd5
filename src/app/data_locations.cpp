#include "app/data_locations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tinctora::app {

bool canCreateFilesIn(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    // A hidden, uniquely named file that is removed at once: nothing of the user's is touched.
    QTemporaryFile probe(folder + "/.tinctora-write-probe-XXXXXX");
    return probe.open();
}

QString paletteFolderFor(const QString& programFolder, const FolderWritableCheck& writable) {
    if (writable(programFolder))
        return programFolder + "/Pallets";
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Pallets";
}

QString versionFileCopyPathFor(const QString& programFolder, const FolderWritableCheck& writable) {
    if (writable(programFolder))
        return programFolder + "/qor.ini";
#ifdef Q_OS_WIN
    // Windows gives every user a temporary folder of their own (%TEMP%); its "runtime" folder
    // would be the user's home folder itself.
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/tinctora-qor.ini";
#else
    // The runtime folder belongs to the user alone (mode 0700), so no other user can put a file
    // of their own under this fixed name, as they could in the shared /tmp.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return folder + "/tinctora-qor.ini";
#endif
}

} // namespace tinctora::app
