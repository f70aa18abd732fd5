#pragma once

#include <QString>

#include <optional>

namespace tinctora::platform::qt {

// What a request to open a file or an address names, in the form the desktop's opener takes.
struct OpenTarget {
    bool isFile = false;
    QString text; // the path as given, or the address fully encoded
};

// An absolute path is a file even when it holds characters that mean something in an address
// ("#", "?", "%"); anything else is an address such as http://host/page. Nothing when the file
// does not exist or the text is no address: both open as "file not found".
std::optional<OpenTarget> openTargetOf(const QString& fileOrAddress);

} // namespace tinctora::platform::qt
