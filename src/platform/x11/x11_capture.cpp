#include "platform/x11/x11_capture.h"

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_display_profiles.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_pixels.h"
#include "platform/x11/x11_pointer.h"
#include "platform/x11/x11_pointer_mover.h"
#include "platform/x11/x11_screen_grab.h"

namespace tinctora::platform::x11 {

namespace {

class Capture final : public X11Capture {
public:
    explicit Capture(std::unique_ptr<Connection> connection)
        : connection_(std::move(connection)), pointer_(*connection_), pixels_(*connection_),
          keys_(*connection_), grabber_(*connection_), mover_(*connection_),
          profiles_(*connection_) {}

    Pointer& pointer() override { return pointer_; }
    ScreenPixels& pixels() override { return pixels_; }
    KeyState& keys() override { return keys_; }
    ScreenGrabber& screenGrabber() override { return grabber_; }
    PointerMover& pointerMover() override { return mover_; }
    DisplayProfiles& displayProfiles() override { return profiles_; }

private:
    std::unique_ptr<Connection> connection_; // outlives the readers below, which use it
    X11Pointer pointer_;
    X11Pixels pixels_;
    X11Keys keys_;
    X11ScreenGrabber grabber_;
    X11PointerMover mover_;
    X11DisplayProfiles profiles_;
};

} // namespace

X11Opening X11Capture::open(const char* displayName) {
    X11Opening opening;
    std::unique_ptr<Connection> connection = Connection::open(displayName, &opening.reason);
    if (!connection) {
        opening.refusal = X11Refusal::NoDisplay;
        return opening;
    }
    auto capture = std::make_unique<Capture>(std::move(connection));
    if (screenReadable(capture->pixels())) {
        opening.capture = std::move(capture);
        return opening;
    }
    opening.refusal = X11Refusal::ScreenUnreadable;
    opening.reason = screenUnreadableReason();
    return opening;
}

QString screenUnreadableReason() {
    return QString("Tinctora reads the screen and the F2, F3 and F4 keys through X11, and this "
                   "desktop session does not allow that: a Wayland session does not, not even "
                   "through XWayland. Log in to an X11 session to pick colours from the screen. "
                   "Capture stays stopped.");
}

bool screenReadable(ScreenPixels& pixels) {
    return pixels.pixelAt({0, 0}) >= 0;
}

QString displayUnavailableReason(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display) {
        XCloseDisplay(display);
        return {};
    }
    const char* name = displayName ? displayName : XDisplayName(nullptr);
    return QString("Tinctora shows its window and reads the screen through X11, but the X display "
                   "\"%1\" could not be opened. Start Tinctora from an X11 desktop session, or "
                   "set DISPLAY to a running X server.")
        .arg(QString::fromLocal8Bit(name && *name ? name : "(DISPLAY is not set)"));
}

} // namespace tinctora::platform::x11
