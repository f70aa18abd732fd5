#pragma once

// Copying the whole Windows desktop with GDI. Free of Qt and of <windows.h>: the grabber turns
// the copy into the frozen picture.

#include "platform/screen_geometry.h"

#include <vector>

namespace tinctora::platform::win32 {

// Physical screen pixels throughout; left of and above the primary monitor, x and y are negative.

// The bounding rectangle of all monitors.
ScreenRect virtualScreenArea();
// Each monitor's rectangle, as Windows lists them.
std::vector<ScreenRect> monitorAreas();

struct ScreenCopy {
    enum class Status { Copied, Refused, NoMemory };
    Status status = Status::Refused;
    ScreenRect area; // what was copied: the virtual screen at the time
    // When Copied: a 32-bit top-down bitmap of area's size, 4 * width bytes a row, each pixel
    // blue, green, red and an unused byte. The caller frees it with freeScreenCopy(bitmap).
    void* bitmap = nullptr;
    unsigned char* bits = nullptr;
};

ScreenCopy copyVirtualScreen();
void freeScreenCopy(void* bitmap);

} // namespace tinctora::platform::win32
