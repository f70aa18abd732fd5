#include "palette/palette_file.h"
#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace tinctora::palette {

FileInputStream::FileInputStream(const QString& path) : std::istream(nullptr), file_(path) {
    if (file_.open(QIODevice::ReadOnly))
        rdbuf(&buffer_); // clears the failed state that a stream without a buffer starts in
}

FileInputStream::Buffer::int_type FileInputStream::Buffer::underflow() {
    const qint64 got = file_.read(bytes_.data(), static_cast<qint64>(bytes_.size()));
    // The stream catches what its buffer throws and sets its badbit: a read error is then told
    // apart from the end of the file, as with an ifstream.
    if (got < 0)
        throw std::runtime_error(file_.errorString().toStdString());
    if (got == 0)
        return traits_type::eof();
    setg(bytes_.data(), bytes_.data(), bytes_.data() + got);
    return traits_type::to_int_type(bytes_[0]);
}

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
    FileInputStream in(path);
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
