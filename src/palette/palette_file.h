#pragma once

#include "palette/palette_format.h"

#include <QFile>
#include <QString>

#include <array>
#include <istream>

// Palette files on disk. Writes are atomic (platform/atomic_file.h), so a crash or a full disk
// never leaves a truncated palette behind.
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

// Writes the row as a palette file, as platform::writeFileAtomically() does.
bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason = nullptr);

} // namespace tinctora::palette
