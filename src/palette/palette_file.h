#pragma once

#include "palette/palette_format.h"

#include <QString>

// Palette files on disk. Writes are atomic: the new content goes to a temporary file that then
// replaces the old one, so a crash or a full disk never leaves a truncated palette behind.
namespace tinctora::palette {

struct FileReadResult {
    bool opened = false; // false: missing, a folder, or unreadable (a read failure)
    ReadResult content;
};

FileReadResult readPaletteFile(const QString& path);

// Writes the row; false when the file could not be written (the old content then stays).
bool writePaletteFile(const QString& path, const SlotTexts& row);

} // namespace tinctora::palette
