#pragma once

#include "palette/palette_format.h"

#include <QString>

// Palette files on disk. Writes are atomic (platform/atomic_file.h), so a crash or a full disk
// never leaves a truncated palette behind.
namespace tinctora::palette {

struct FileReadResult {
    bool opened = false; // false: missing, not a regular file, or unreadable (a read failure)
    ReadResult content;
    QString problem; // why the file could not be read, for the user; empty when it was
};

FileReadResult readPaletteFile(const QString& path);

// Writes the row as a palette file, as platform::writeFileAtomically() does.
bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason = nullptr);

} // namespace tinctora::palette
