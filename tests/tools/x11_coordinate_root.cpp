// x11_coordinate_root: paints the root window of $DISPLAY so that every pixel's colour tells
// where it is: red = x & 255, green = y & 255, blue = ((x >> 8) & 15) | ((y >> 8) << 4). A
// colour read anywhere, by any means, can then be checked against the point it was read at.
// Only 24-bit and 32-bit true-colour screens, which is what the end-to-end tests run on.
#include "root_picture.h"

#include <X11/Xlib.h>

#include <bit>
#include <cstdio>

namespace {

unsigned long place(unsigned value, unsigned long mask) {
    return (static_cast<unsigned long>(value) << std::countr_zero(mask)) & mask;
}

} // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_coordinate_root: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    if (visual->c_class != TrueColor || depth < 24) {
        std::fprintf(stderr, "x11_coordinate_root: needs a 24-bit true-colour screen\n");
        return 1;
    }
    const int width = DisplayWidth(display, screen);
    const int height = DisplayHeight(display, screen);
    tinctora::testing::paintRoot(display, width, height, [&](int x, int y) {
        const unsigned r = static_cast<unsigned>(x) & 255;
        const unsigned g = static_cast<unsigned>(y) & 255;
        const unsigned b =
            ((static_cast<unsigned>(x) >> 8) & 15) | ((static_cast<unsigned>(y) >> 8) << 4);
        return place(r, visual->red_mask) | place(g, visual->green_mask) |
               place(b & 255, visual->blue_mask);
    });
    XCloseDisplay(display);
    return 0;
}
