#include "platform/x11/x11_pointer.h"

namespace tinctora::platform::x11 {

std::optional<ScreenPoint> X11Pointer::position() {
    Window rootReturn = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    // False when the pointer is on another screen (and on an X error): its coordinates then
    // belong to another root window.
    const bool sameScreen = XQueryPointer(connection_.display(), connection_.root(), &rootReturn,
                                          &child, &rootX, &rootY, &windowX, &windowY, &buttons);
    // Events that came in while waiting for the reply are in Xlib's queue now, where the
    // socket's wake-up would not see them.
    connection_.drainReadEvents();
    if (!sameScreen)
        return std::nullopt;
    return ScreenPoint{rootX, rootY};
}

} // namespace tinctora::platform::x11
