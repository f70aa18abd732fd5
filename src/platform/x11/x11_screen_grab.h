#pragma once

// Qt's headers (through screen_grab.h) come before Xlib's, whose macros would break them.
#include "platform/screen_grab.h"
#include "platform/x11/x11_connection.h"

namespace tinctora::platform::x11 {

// The whole root window in one image, which shows every monitor at its place. Through shared
// memory (MIT-SHM) when the server offers it: the picture then arrives without being copied
// through the socket, about a hundred times faster on a large screen. The segment lives only for
// one grab, so nothing stays allocated while no screen is frozen.
class X11ScreenGrabber final : public ScreenGrabber {
public:
    enum class Transfer { SharedMemoryWhenOffered, PlainOnly };
    explicit X11ScreenGrabber(Connection& connection,
                              Transfer preferred = Transfer::SharedMemoryWhenOffered);

    // Calls done before it returns.
    void grabScreen(std::function<void(GrabOutcome)> done) override;
    GrabOutcome grab();

private:
    Connection& connection_;
    // Shared memory needs a server on the same machine, so even an offered extension can fail
    // and the plain read take over.
    bool sharedMemoryOffered_ = false;
};

} // namespace tinctora::platform::x11
