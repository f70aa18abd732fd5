#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tinctora::testing {

// Stands for a file that is not there or cannot be read, so that a comparison with the expected
// bytes fails and says so instead of matching an empty file.
inline const QByteArray kUnreadableFile = "(missing or unreadable)";

// Everything the file holds, or kUnreadableFile.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : kUnreadableFile;
}

} // namespace tinctora::testing
