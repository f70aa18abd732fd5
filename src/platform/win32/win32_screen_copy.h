#pragma once

// Copying the whole Windows desktop with GDI. Free of Qt and of <windows.h>: the grabber turns
// the copy into the frozen picture.

#include <vector>

namespace tinctora::platform::win32 {

// A rectangle in physical screen pixels; left of and above the primary monitor, x and y are
// negative.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

// The bounding rectangle of all monitors.
ScreenArea virtualScreenArea();
// Each monitor's rectangle, as Windows lists them.
std::vector<ScreenArea> monitorAreas();

struct ScreenCopy {
    enum class Status { Copied, Refused, NoMemory };
    Status status = Status::Refused;
    ScreenArea area; // what was copied: the virtual screen at the time
    // When Copied: a 32-bit top-down bitmap of area's size, 4 * width bytes a row, each pixel
    // blue, green, red and an unused byte. The caller frees it with freeScreenCopy(bitmap).
    void* bitmap = nullptr;
    unsigned char* bits = nullptr;
};

ScreenCopy copyVirtualScreen();
void freeScreenCopy(void* bitmap);

} // namespace tinctora::platform::win32
