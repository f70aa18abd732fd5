#include "platform/x11/x11_connection.h"

namespace tinctora::platform::x11 {

std::unique_ptr<Connection> Connection::open(const char* displayName, QString* reason) {
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        if (reason) {
            const char* name = displayName ? displayName : XDisplayName(nullptr);
            *reason = QString("Tinctora reads the screen and the F2, F3 and F4 keys through X11, "
                              "but the X display \"%1\" could not be opened. Capture stays "
                              "stopped.")
                          .arg(QString::fromLocal8Bit(name && *name ? name : "(none)"));
        }
        return nullptr;
    }
    return std::unique_ptr<Connection>(new Connection(display));
}

Connection::Connection(Display* display)
    : display_(display), screen_(DefaultScreen(display)), root_(RootWindow(display, screen_)),
      errors_(display) {
    // The root window's own ConfigureNotify tells when the screen changes size (RandR sends it).
    XSelectInput(display_, root_, StructureNotifyMask);
}

Connection::~Connection() {
    XCloseDisplay(display_);
}

void Connection::onEvent(EventHandler handler) {
    handlers_.push_back(std::move(handler));
}

void Connection::drainEvents() {
    // XPending reads what waits on the socket without blocking; events Xlib already took in
    // while waiting for a reply are in its queue, which is why a socket notifier alone is not
    // enough.
    while (XPending(display_) > 0)
        handleNext();
}

void Connection::drainReadEvents() {
    while (XEventsQueued(display_, QueuedAlready) > 0)
        handleNext();
}

void Connection::handleNext() {
    XEvent event;
    XNextEvent(display_, &event);
    for (const EventHandler& handler : handlers_)
        handler(event);
}

std::optional<RootSize> Connection::rootSize() const {
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(display_, root_, &root, &x, &y, &width, &height, &border, &depth))
        return std::nullopt;
    return RootSize{static_cast<int>(width), static_cast<int>(height)};
}

} // namespace tinctora::platform::x11
