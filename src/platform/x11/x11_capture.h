#pragma once

#include "platform/platform.h"
#include "platform/screen_grab.h"

#include <memory>

namespace tinctora::platform::x11 {

// Pointer, pixels and keys read through one dedicated Xlib connection, opened once and reused by
// every read. This header stays free of Xlib's macros so that Qt code can include it.
class X11Capture {
public:
    // Nothing when no X display can be opened or its screen cannot be read; reason then says
    // why, for the user. displayName null means $DISPLAY.
    static std::unique_ptr<X11Capture> open(QString* reason, const char* displayName = nullptr);
    virtual ~X11Capture() = default;
    virtual Pointer& pointer() = 0;
    virtual ScreenPixels& pixels() = 0;
    virtual KeyState& keys() = 0;
    // Freezing the whole screen and nudging the pointer, through the same connection.
    virtual ScreenGrabber& screenGrabber() = 0;
    virtual PointerMover& pointerMover() = 0;
};

// Empty when an X display can be opened; otherwise why not, in one sentence for the user.
QString displayUnavailableReason(const char* displayName = nullptr);

// Why the screen cannot be read, for the user: the session does not let X11 programs read it.
// The same words whether the toolkit itself runs without X11 (pure Wayland) or the X server
// refuses to show its screen (Xwayland under a Wayland compositor).
QString screenUnreadableReason();

// Empty when one pixel of the screen can be read through `pixels`; otherwise
// screenUnreadableReason(). An X server that has a display but no screen to show (Xwayland is
// rootless under a Wayland compositor) refuses every read of the root window.
QString screenReadability(ScreenPixels& pixels);

} // namespace tinctora::platform::x11
