#pragma once

#include <X11/Xlib.h>

namespace tinctora::platform::x11 {

// Keeps X protocol errors on one connection from ending the program. Xlib reports every error
// through one handler for the whole process, and its default handler calls exit(); so the first
// trap installs a handler that records errors on trapped connections and passes the others on to
// whichever handler was there before (the toolkit's, or Xlib's default). A failed request then
// simply returns its failure value (a null image, a false status) to its caller.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    Display* display() const { return display_; }
    // Errors seen on this connection so far, and the code of the last one.
    unsigned long count() const { return count_; }
    int lastErrorCode() const { return lastErrorCode_; }

    void record(const XErrorEvent& error);

private:
    Display* display_;
    unsigned long count_ = 0;
    int lastErrorCode_ = 0;
};

} // namespace tinctora::platform::x11
