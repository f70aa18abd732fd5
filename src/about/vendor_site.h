#pragma once

#include <QString>

// The vendor's web server, which holds the online manual and the version file. The host is the
// one place to change when the site moves; tests point the program at a server of their own by
// handing another base address to the main window and the About window.
namespace tinctora::about {

inline constexpr char kVendorHost[] = "tinctora.example";

// "http://" and the host: what the manual and version file paths are appended to.
inline QString vendorBaseAddress() {
    return QString("http://") + kVendorHost;
}

// The site as it is named to the user in captions and messages.
inline QString webSiteName() {
    return QString(kVendorHost);
}
inline QString webSiteAddress() {
    return QString(kVendorHost);
}

inline QString versionFileAddress(const QString& base) {
    return base + "/qor.ini";
}
inline QString onlineManualAddress(const QString& base) {
    return base + "/qormanual.htm";
}

} // namespace tinctora::about
