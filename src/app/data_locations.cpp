#include "app/data_locations.h"

#include "platform/user_folders.h"

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
    return platform::privateTemporaryFolder() + "/tinctora-qor.ini";
}

} // namespace tinctora::app
