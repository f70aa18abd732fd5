#include "platform/win32/win32_desktop.h"

#include <windows.h>

namespace tinctora::platform::win32 {

std::optional<ScreenPoint> Win32Pointer::position() {
    POINT at{};
    if (!GetCursorPos(&at))
        return std::nullopt;
    return ScreenPoint{at.x, at.y};
}

bool Win32PointerMover::moveBy(int dx, int dy) {
    POINT at{};
    if (!GetCursorPos(&at))
        return false;
    return SetCursorPos(at.x + dx, at.y + dy) != FALSE;
}

} // namespace tinctora::platform::win32
