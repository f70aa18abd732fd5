#pragma once

// Qt's headers must come before Xlib's, whose macros (Bool, Status, None) would break them.
#include "platform/platform.h"
#include "platform/x11/x11_error_trap.h"

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tinctora::platform::x11 {

// The root window's size in screen pixels: the whole screen, every monitor.
struct RootSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const RootSize&, const RootSize&) = default;
};

// The program's own Xlib connection, next to the toolkit's: opened once at start-up and kept,
// because the live tick reads through it 25 times a second. Events sent to it (raw keys, the root
// window changing size, keyboard mapping changes) wait in Xlib's queue until drainEvents() hands
// them to the readers. The readers drain before they read, so nothing is read stale, and after
// each round trip, because Xlib takes in the events that arrive while it waits for a reply and a
// wake-up on the socket would no longer see them; while keys are listened for, the socket wakes
// the program for the rest.
class Connection {
public:
    // Nothing when the display cannot be opened; reason then says why, for the user.
    // displayName null means $DISPLAY.
    static std::unique_ptr<Connection> open(const char* displayName, QString* reason);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* display() const { return display_; }
    Window root() const { return root_; }
    int screen() const { return screen_; }
    const ErrorTrap& errors() const { return errors_; }
    // Asks the server (one round trip); nothing when it does not answer.
    std::optional<RootSize> rootSize() const;

    using EventHandler = std::function<void(XEvent&)>;
    // Handlers see every event drained from now on, in the order they were added.
    void onEvent(EventHandler handler);
    // Hands every event already received, or waiting on the socket, to the handlers. Never
    // blocks.
    void drainEvents();
    // Hands over only the events Xlib has already read, for example while it waited for a
    // reply: costs no system call.
    void drainReadEvents();

private:
    explicit Connection(Display* display);
    void handleNext();

    Display* display_;
    int screen_;
    Window root_;
    ErrorTrap errors_;
    std::vector<EventHandler> handlers_;
};

} // namespace tinctora::platform::x11
