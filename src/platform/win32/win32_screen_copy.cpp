#include "platform/win32/win32_screen_copy.h"

#include <windows.h>

namespace tinctora::platform::win32 {

namespace {

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
        {area->left, area->top, area->right - area->left, area->bottom - area->top});
    return TRUE;
}

HBITMAP makeBitmap(HDC screen, const ScreenRect& area, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.width;
    info.bmiHeader.biHeight = -area.height; // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(screen, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool copyInto(HBITMAP bitmap, HDC screen, const ScreenRect& area) {
    HDC memory = CreateCompatibleDC(screen);
    if (!memory)
        return false;
    const HGDIOBJ before = SelectObject(memory, bitmap);
    // CAPTUREBLT takes in the layered windows (menus, tool tips, translucent windows), as the
    // user sees the screen.
    const bool copied = BitBlt(memory, 0, 0, area.width, area.height, screen, area.x, area.y,
                               SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush(); // the bits are read next, without GDI
    SelectObject(memory, before);
    DeleteDC(memory);
    return copied;
}

} // namespace

ScreenRect virtualScreenArea() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::vector<ScreenRect> monitorAreas() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

ScreenCopy copyVirtualScreen() {
    ScreenCopy copy;
    copy.area = virtualScreenArea();
    if (copy.area.width <= 0 || copy.area.height <= 0)
        return copy;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return copy;
    void* bits = nullptr;
    HBITMAP bitmap = makeBitmap(screen, copy.area, &bits);
    if (!bitmap) {
        copy.status = ScreenCopy::Status::NoMemory;
    } else if (copyInto(bitmap, screen, copy.area)) {
        copy.status = ScreenCopy::Status::Copied;
        copy.bitmap = bitmap;
        copy.bits = static_cast<unsigned char*>(bits);
    } else {
        DeleteObject(bitmap); // refused, for example while the secure desktop is shown
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

void freeScreenCopy(void* bitmap) {
    DeleteObject(static_cast<HBITMAP>(bitmap));
}

} // namespace tinctora::platform::win32
