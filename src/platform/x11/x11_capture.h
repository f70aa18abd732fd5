#pragma once

#include "platform/Module1.h"

#include <memory>

namespace tinctora::platform::x11 {

// Pointer, pixels and keys read through a dedicated Xlib connection opened once.
class X11Capture {
public:
    // Nothing when no X display can be opened; reason then says why.
    static std::unique_ptr<X11Capture> open(QString* reason);
    virtual ~X11Capture() = default;
    virtual Pointer& pointer() = 0;
    virtual ScreenPixels& pixels() = 0;
    virtual KeyState& keys() = 0;
};

} // namespace tinctora::platform::x11
