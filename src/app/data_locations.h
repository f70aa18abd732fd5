#pragma once

#include <QString>

// Where the program keeps its files, decided in this one place.
namespace tinctora::app {

// The folder that holds the palette files (without a trailing separator).
QString paletteFolderFor(const QString& programFolder);

// Where the downloaded version file is stored while it is checked.
QString versionFileCopyPathFor(const QString& programFolder);

} // namespace tinctora::app
