#include "app/data_locations.h"

namespace tinctora::app {

QString paletteFolderFor(const QString& programFolder) {
    return programFolder + "/Pallets";
}

QString versionFileCopyPathFor(const QString& programFolder) {
    return programFolder + "/qor.ini";
}

} // namespace tinctora::app
