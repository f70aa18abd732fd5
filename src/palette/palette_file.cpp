#include "palette/palette_file.h"
#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>

#include <fstream>

namespace tinctora::palette {

FileReadResult readPaletteFile(const QString& path) {
    FileReadResult result;
    result.content.end = ReadEnd::ReadFailure;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.problem = "it does not exist";
        return result;
    }
    // A named pipe would block forever and a device may never end.
    if (!info.isFile()) {
        result.problem = platform::whyNotARegularFile(path);
        return result;
    }
    // Read as a stream: reading stops at the field limit, however large the file is.
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        result.problem = "it cannot be opened for reading";
        return result;
    }
    result.opened = true;
    result.content = readPalette(in);
    if (in.bad())
        result.content.end = ReadEnd::ReadFailure;
    if (result.content.end == ReadEnd::ReadFailure)
        result.problem = in.bad() ? "it could not be read to its end"
                                  : "it is not a palette file (a value is far too long, or there "
                                    "are far too many values)";
    return result;
}

bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason) {
    return platform::writeFileAtomically(path, writePalette(row), reason);
}

} // namespace tinctora::palette
