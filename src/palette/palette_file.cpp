#include "palette/palette_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fstream>

namespace tinctora::palette {

FileReadResult readPaletteFile(const QString& path) {
    FileReadResult result;
    if (!QFileInfo(path).isFile()) {
        result.content.end = ReadEnd::ReadFailure;
        return result;
    }
    // Read as a stream: reading stops at the field limit, however large the file is.
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        result.content.end = ReadEnd::ReadFailure;
        return result;
    }
    result.opened = true;
    result.content = readPalette(in);
    if (in.bad())
        result.content.end = ReadEnd::ReadFailure;
    return result;
}

bool writePaletteFile(const QString& path, const SlotTexts& row) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string bytes = writePalette(row);
    // The write only fills Qt's buffer; a full disk shows up when the buffer is flushed, and
    // QSaveFile::commit() (Qt 6.4) would ignore that failure and put the cut file in place.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tinctora::palette
