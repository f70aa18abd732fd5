#pragma once

#include "palette/palette_format.h"

#include <QFile>
#include <QString>

#include <array>
#include <istream>
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

// A file read as a stream, opened through QFile by its full name. A std::ifstream takes a narrow
// name, which on Windows is in the ANSI code page: a folder such as "Цвета 色" cannot be named
// that way, and its palettes would look missing. As with an ifstream, a file that cannot be
// opened leaves the stream failed, and a read that fails half-way sets its badbit.
class FileInputStream final : public std::istream {
public:
    explicit FileInputStream(const QString& path);

private:
    class Buffer final : public std::streambuf {
    public:
        explicit Buffer(QFile& file) : file_(file) {}

    protected:
        int_type underflow() override;

    private:
        QFile& file_;
        std::array<char, 16 * 1024> bytes_{};
    };

    QFile file_;
    Buffer buffer_{file_};
};

// Why a save may not replace what the path leads to (a folder, a device, a pipe, a socket;
// links are followed), or an empty text when it may: only regular files are replaced.
QString whyNotReplaceable(const QString& path);

// Writes the bytes atomically; false when the file could not be written (the old content then
// stays), with the reason in *reason when it is given. Every file the program saves goes here.
bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason = nullptr);

// Writes the row as a palette file, as writeFileAtomically() does.
bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason = nullptr);

} // namespace tinctora::palette
