#pragma once

#include "platform/x11/x11_connection.h"

namespace tinctora::platform::x11 {

// The pointer in root-window coordinates, which span every monitor of the screen.
class X11Pointer final : public Pointer {
public:
    explicit X11Pointer(Connection& connection) : connection_(connection) {}
    // Nothing while the pointer is on another X screen of the display, or on a failed read.
    std::optional<ScreenPoint> position() override;

private:
    Connection& connection_;
};

} // namespace tinctora::platform::x11
