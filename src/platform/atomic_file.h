#pragma once

#include <QString>

#include <string_view>

// Files the program writes in one step: the new content goes to a temporary file beside the old
// one, which then replaces it, so a crash or a full disk never leaves a cut file behind. Palettes,
// the exported GIMP palettes and the downloaded version file are all written so.
namespace tinctora::platform {

// Why what the path leads to is no regular file (a folder, a device, a pipe, a socket; links are
// followed), or an empty text when it is one or when nothing is there.
QString whyNotARegularFile(const QString& path);

// Writes the bytes atomically; false when the file could not be written (the old content then
// stays), with the reason in *reason when it is given. Only a regular file is replaced.
bool writeFileAtomically(const QString& path, std::string_view bytes, QString* reason = nullptr);

} // namespace tinctora::platform
