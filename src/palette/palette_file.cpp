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

QString whyNotReplaceable(const QString& path) {
    const QFileInfo info(path); // follows links to what they lead to
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return "it is a folder";
    return "it is not a regular file (a device, a pipe or a socket)";
}

bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason) {
    const auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    // The atomic save renames its temporary file over the link's target: over a device or a pipe
    // that would replace something that is no file of ours at all.
    if (const QString why = whyNotReplaceable(path); !why.isEmpty())
        return fail(why);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // The write only fills Qt's buffer; a full disk shows up when the buffer is flushed, and
    // QSaveFile::commit() (Qt 6.4) would ignore that failure and put the cut file in place.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason) {
    return writeFileAtomically(path, writePalette(row), reason);
}

} // namespace tinctora::palette
