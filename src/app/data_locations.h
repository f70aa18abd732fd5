#pragma once

#include <QString>

#include <functional>

// Where the program keeps its files, decided in this one place.
//
// A portable copy (or the build folder) keeps everything beside the program. An installed copy
// usually sits in a folder its user cannot write, where palettes would be lost at every exit:
// there the palettes go to the user's data folder and the version file to a temporary place.
namespace tinctora::app {

// Answers whether new files can be made in a folder.
using FolderWritableCheck = std::function<bool(const QString& folder)>;

// Tries for real to make (and remove) a file in the folder: permission bits alone say nothing
// for root, read-only mounts or ACLs.
bool canCreateFilesIn(const QString& folder);

// The folder that holds the palette files (without a trailing separator): "Pallets" beside the
// program when its folder is writable, otherwise "Pallets" in the user's data folder. Neither is
// created here; the first save creates it.
QString paletteFolderFor(const QString& programFolder,
                         const FolderWritableCheck& writable = canCreateFilesIn);

// Where the downloaded version file is stored while it is checked: "qor.ini" beside the program
// when its folder is writable, otherwise in the user's private temporary folder.
QString versionFileCopyPathFor(const QString& programFolder,
                               const FolderWritableCheck& writable = canCreateFilesIn);

} // namespace tinctora::app
