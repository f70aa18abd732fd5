#include "platform/platform_factory.h"

#include "platform/network/qt_downloader.h"
#include "platform/qt/qt_desktop.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_keys.h"

namespace tinctora::platform {

namespace {

// Win32 for the screen, pointer, keys, window layer, the shell and the file and colour dialogs;
// Qt for the message boxes and, linked into the program, for downloads: a static Qt cannot be
// shared with a module loaded later, and a static program pays nothing at start-up for carrying
// it.
class DesktopBackend final : public PlatformBackend {
public:
    Platform& platform() override { return platform_; }

private:
    win32::Win32Pointer pointer_;
    win32::Win32Pixels pixels_;
    win32::Win32Keys keys_;
    win32::Win32WindowLayer layer_;
    win32::Win32ShellOpen shell_;
    network::QtDownloader downloader_;
    qt::QtDialogs messages_;
    win32::Win32Dialogs dialogs_{messages_};
    win32::Win32ScreenGrabber grabber_;
    win32::Win32PointerMover mover_;
    win32::Win32DisplayProfiles profiles_;
    Platform platform_{pointer_, pixels_,  keys_,  layer_,    shell_,  downloader_,
                       dialogs_, grabber_, mover_, QString(), nullptr, &profiles_};
};

} // namespace

std::unique_ptr<PlatformBackend> makeDesktopPlatform() {
    return std::make_unique<DesktopBackend>();
}

QString desktopUnavailableReason() {
    return {}; // Windows always has its desktop
}

} // namespace tinctora::platform
