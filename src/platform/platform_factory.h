#pragma once

#include "platform/platform.h"

#include <memory>

namespace tinctora::platform {

// Owns the objects behind a Platform.
class PlatformBackend {
public:
    virtual ~PlatformBackend() = default;
    virtual Platform& platform() = 0;
};

// The one place where the backend is chosen, in one source file per system that CMake picks
// (platform_factory_linux.cpp, platform_factory_windows.cpp). On Linux: X11 for the screen, pointer
// and keys when the desktop offers it (else the desktop portal), Qt for dialogs, the window layer
// and opening documents, the network module beside the program for downloads. On Windows: Win32 for
// the screen, pointer, keys, window layer and opening documents, Qt for dialogs and downloads.
// Needs a QApplication. When the screen and keys cannot be read, the platform's
// captureUnavailableReason says why, and the reason is also written to standard error.
std::unique_ptr<PlatformBackend> makeDesktopPlatform();

// Called before the QApplication exists: empty when a window can be shown, otherwise why not,
// in one sentence for the user. Qt ends the process with an abort when its default X11 platform
// finds no display, so the program asks first. A platform the user chose (QT_QPA_PLATFORM) or a
// Wayland session is left to Qt.
QString desktopUnavailableReason();

} // namespace tinctora::platform
