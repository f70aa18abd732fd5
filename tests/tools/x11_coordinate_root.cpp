// x11_coordinate_root: paints the root window of $DISPLAY so that every pixel's colour tells
// where it is: red = x & 255, green = y & 255, blue = ((x >> 8) & 15) | ((y >> 8) << 4). A
// colour read anywhere, by any means, can then be checked against the point it was read at.
// Only 24-bit and 32-bit true-colour screens, which is what the end-to-end tests run on.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdio>
#include <cstdlib>

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
    const Window root = RootWindow(display, screen);

    XImage* image =
        XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                     static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    image->data = static_cast<char*>(
        std::malloc(static_cast<std::size_t>(image->bytes_per_line) * image->height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned r = static_cast<unsigned>(x) & 255;
            const unsigned g = static_cast<unsigned>(y) & 255;
            const unsigned b =
                ((static_cast<unsigned>(x) >> 8) & 15) | ((static_cast<unsigned>(y) >> 8) << 4);
            XPutPixel(image, x, y,
                      place(r, visual->red_mask) | place(g, visual->green_mask) |
                          place(b & 255, visual->blue_mask));
        }

    const Pixmap pixmap =
        XCreatePixmap(display, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    // The root keeps its own reference to the pixmap, as xsetroot relies on.
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    XDestroyImage(image);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
