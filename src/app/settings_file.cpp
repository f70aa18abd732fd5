#include "app/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace tinctora::app {

namespace {

// Larger than the file ever grows: anything longer is not ours, and is not read.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// The lines of the file, or nothing when it cannot be read.
std::optional<QList<QByteArray>> readLines(const QString& settingsFile) {
    QFile file(settingsFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSettingsBytes)
        return std::nullopt;
    const QByteArray text = file.read(kMaxSettingsBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString settingsFileFor(const QString& paletteFolder) {
    return QFileInfo(paletteFolder).path() + "/settings.ini";
}

bool readFlag(const QString& settingsFile, const char* name) {
    const std::optional<QList<QByteArray>> lines = readLines(settingsFile);
    if (!lines)
        return false;
    const QByteArray key = QByteArray(name) + '=';
    for (const QByteArray& line : *lines)
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed() == "1";
    return false;
}

bool writeFlag(const QString& settingsFile, const char* name, bool on) {
    // A file that exists but cannot be read is left alone: writing it anew would lose its lines.
    std::optional<QList<QByteArray>> lines = readLines(settingsFile);
    if (!lines) {
        if (QFileInfo::exists(settingsFile))
            return false;
        lines.emplace();
    }
    const QByteArray key = QByteArray(name) + '=';
    const QByteArray ours = key + (on ? "1" : "0");
    bool replaced = false;
    for (QByteArray& line : *lines) {
        if (line.startsWith(key) && !replaced) {
            line = ours;
            replaced = true;
        }
    }
    if (!replaced)
        lines->append(ours);
    // The fallback folder of an installed copy does not exist before its first save.
    QDir().mkpath(QFileInfo(settingsFile).path());
    QSaveFile file(settingsFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray& line : *lines)
        file.write(line + "\r\n");
    return file.commit();
}

} // namespace tinctora::app
