#pragma once

// Shared by the X11 tests and their helper programs: a picture of given pixel values made the
// root window's background, as xsetroot does.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstddef>
#include <cstdlib>
#include <functional>

namespace tinctora::testing {

// Sets the root window's background to a picture of the given pixel values, drawn through the
// given connection, and waits until the server shows it.
inline void paintRoot(Display* d, int width, int height,
                      const std::function<unsigned long(int x, int y)>& valueAt) {
    const int s = DefaultScreen(d);
    const Window root = RootWindow(d, s);
    const auto depth = static_cast<unsigned>(DefaultDepth(d, s));
    XImage* image =
        XCreateImage(d, DefaultVisual(d, s), depth, ZPixmap, 0, nullptr,
                     static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    image->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) *
                                                 static_cast<std::size_t>(height)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            XPutPixel(image, x, y, valueAt(x, y));
    const Pixmap pixmap =
        XCreatePixmap(d, root, static_cast<unsigned>(width), static_cast<unsigned>(height), depth);
    const GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    // The root keeps its own reference to the pixmap.
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    XFreeGC(d, gc);
    XFreePixmap(d, pixmap);
    XDestroyImage(image);
    XSync(d, False);
}

} // namespace tinctora::testing
