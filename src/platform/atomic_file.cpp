#include "platform/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tinctora::platform {

namespace {

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

} // namespace

QString whyNotARegularFile(const QString& path) {
    const QFileInfo info(path); // follows links to what they lead to
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return "it is a folder";
    return "it is not a regular file (a device, a pipe or a socket)";
}

bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason) {
    // The atomic save renames its temporary file over the link's target: over a device or a pipe
    // that would replace something that is no file of ours at all.
    if (const QString why = whyNotARegularFile(path); !why.isEmpty())
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

} // namespace tinctora::platform
