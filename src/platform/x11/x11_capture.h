#pragma once

#include "platform/platform.h"
#include "platform/screen_grab.h"

#include <memory>

namespace tinctora::platform::x11 {

struct X11Opening;

// Pointer, pixels and keys read through one dedicated Xlib connection, opened once and reused by
// every read. This header stays free of Xlib's macros so that Qt code can include it.
class X11Capture {
public:
    // displayName null means $DISPLAY.
    static X11Opening open(const char* displayName = nullptr);
    virtual ~X11Capture() = default;
    virtual Pointer& pointer() = 0;
    virtual ScreenPixels& pixels() = 0;
    virtual KeyState& keys() = 0;
    // Freezing the whole screen and nudging the pointer, through the same connection.
    virtual ScreenGrabber& screenGrabber() = 0;
    virtual PointerMover& pointerMover() = 0;
    // The monitors' display profiles, as the server publishes them.
    virtual DisplayProfiles& displayProfiles() = 0;
};

// Why X11 capture is not there, so that a caller can choose another way to read the screen.
enum class X11Refusal {
    NotRefused,
    NoDisplay,        // no X display could be opened
    ScreenUnreadable, // a display, but its screen cannot be read (Xwayland, rootless)
};

struct X11Opening {
    std::unique_ptr<X11Capture> capture; // set when not refused
    X11Refusal refusal = X11Refusal::NotRefused;
    QString reason; // for the user when refused: why, in one sentence
};

// Empty when an X display can be opened; otherwise why not, in one sentence for the user.
QString displayUnavailableReason(const char* displayName = nullptr);

// Why the screen cannot be read, for the user: the session does not let X11 programs read it.
// The same words whether the toolkit itself runs without X11 (pure Wayland) or the X server
// refuses to show its screen (Xwayland under a Wayland compositor).
QString screenUnreadableReason();

// True when one pixel of the screen can be read through `pixels`. An X server that has a display
// but no screen to show (Xwayland is rootless under a Wayland compositor) refuses every read of
// the root window.
bool screenReadable(ScreenPixels& pixels);

} // namespace tinctora::platform::x11
