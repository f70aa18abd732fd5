#include "platform/win32/win32_desktop.h"

#include <windows.h>

namespace tinctora::platform::win32 {

namespace {

// COLORREF already is 0x00BBGGRR.
colour::ColourValue colourOf(COLORREF pixel) {
    if (pixel == CLR_INVALID)
        return colour::kNoColour;
    return static_cast<colour::ColourValue>(pixel & 0x00FFFFFFu);
}

} // namespace

colour::ColourValue Win32Pixels::pixelAt(ScreenPoint p) {
    // The whole desktop's context: every monitor at its place in screen coordinates, negative
    // left of and above the primary one. GetPixel answers CLR_INVALID outside all of them.
    HDC screen = GetDC(nullptr);
    if (!screen)
        return colour::kNoColour;
    const COLORREF pixel = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colourOf(pixel);
}

} // namespace tinctora::platform::win32
