#include "platform/x11/x11_pointer_mover.h"

namespace tinctora::platform::x11 {

bool X11PointerMover::moveBy(int dx, int dy) {
    Display* display = connection_.display();
    const unsigned long errorsBefore = connection_.errors().count();
    // No source window: the move is relative to wherever the pointer is now.
    XWarpPointer(display, 0, 0, 0, 0, 0, 0, dx, dy);
    // Waits until the server has moved it, so a position read next sees the new place.
    XSync(display, False);
    return connection_.errors().count() == errorsBefore;
}

} // namespace tinctora::platform::x11
