#pragma once

#include <QString>

// The program's own small settings file, kept where its palettes are kept: one "Name=Value" line
// a setting, ending with CR LF as the palette files do. It is only ever a help: a file that is
// missing, unreadable or cannot be written leaves each setting at its default, and saving one
// setting keeps every other line as it was.
namespace tinctora::app {

// "settings.ini" in the folder that holds the Pallets folder (paletteFolderFor).
QString settingsFileFor(const QString& paletteFolder);

// Settings > "Show sRGB Values".
inline constexpr const char* kShowSrgbValues = "ShowSrgbValues";

// True only when the file says "Name=1"; false for "Name=0", for anything else and when the file
// cannot be read.
bool readFlag(const QString& settingsFile, const char* name);
// Replaces the setting's line (or adds it) and writes the file whole, through a temporary file,
// so that a failure or a crash leaves the old file. False when it cannot be written.
bool writeFlag(const QString& settingsFile, const char* name, bool on);

} // namespace tinctora::app
