#pragma once

#include "platform/Module1.h"

#include <memory>

namespace tinctora::platform {

// Owns the objects behind a Platform.
class PlatformBackend {
public:
    virtual ~PlatformBackend() = default;
    virtual Platform& platform() = 0;
};

// The one place where the backend is chosen: X11 for the screen, pointer and keys when the
// desktop offers it, Qt for dialogs, the window layer, opening documents and downloads.
// Needs a QApplication.
std::unique_ptr<PlatformBackend> makeDesktopPlatform();

} // namespace tinctora::platform
