#pragma once

#include "platform/screen_grab.h"
#include "platform/x11/x11_connection.h"

namespace tinctora::platform::x11 {

// Moves the pointer relative to where it is, in screen pixels; the server keeps it on the screen.
class X11PointerMover final : public PointerMover {
public:
    explicit X11PointerMover(Connection& connection) : connection_(connection) {}
    bool moveBy(int dx, int dy) override;

private:
    Connection& connection_;
};

} // namespace tinctora::platform::x11
