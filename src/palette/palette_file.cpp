#include "palette/palette_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace tinctora::palette {

namespace {

QString notARegularFile(const QFileInfo& info) {
    if (info.isDir())
        return "it is a folder";
    return "it is not a regular file (a device, a pipe or a socket)";
}

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

} // namespace

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
        result.problem = notARegularFile(info);
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

QString whyNotReplaceable(const QString& path) {
    const QFileInfo info(path); // follows links to what they lead to
    if (info.exists() && !info.isFile())
        return notARegularFile(info);
    return {};
}

bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason) {
    // The atomic save renames its temporary file over the link's target: over a device or a pipe
    // that would replace something that is no file of ours at all.
    if (const QString why = whyNotReplaceable(path); !why.isEmpty())
        return fail(reason, why);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reason, file.errorString());
    // The write only fills Qt's buffer; a full disk shows up when the buffer is flushed, and
    // QSaveFile::commit() (Qt 6.4) would ignore that failure and put the cut file in place.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(reason, why);
    }
    if (!file.commit())
        return fail(reason, file.errorString());
    return true;
}

bool writePaletteFile(const QString& path, const SlotTexts& row, QString* reason) {
    return writeFileAtomically(path, writePalette(row), reason);
}

} // namespace tinctora::palette
