#pragma once

#include "palette/palette_format.h"

#include <QString>

#include <string_view>

// Palette files on disk. Writes are atomic: the new content goes to a temporary file that then
// replaces the old one, so a crash or a full disk never leaves a truncated palette behind.
namespace tinctora::palette {

struct FileReadResult {
    bool opened = false; // false: missing, not a regular file, or unreadable (a read failure)
    ReadResult content;
    QString problem; // why the file could not be read, for the user; empty when it was
};

FileReadResult readPaletteFile(const QString& path);

// Keeps the file's bytes, unchanged, beside it as NAME.bak, or as the first free NAME.bak2,
// NAME.bak3, ...: an older backup is never replaced. Returns the copy's path, or an empty text
// with the reason in *reason when it is given.
QString keepBackupOf(const QString& path, QString* reason = nullptr);

// Why a save may not replace what the path leads to (a folder, a device, a pipe, a socket;
// links are followed), or an empty text when it may: only regular files are replaced.
QString whyNotReplaceable(const QString& path);

// Writes the bytes atomically; false when the file could not be written (the old content then
// stays), with the reason in *reason when it is given. Every file the program saves goes here.
bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason = nullptr);

// Writes the row as a palette file, as writeFileAtomically() does.
bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason = nullptr);

} // namespace tinctora::palette
