// x11_pixel_probe X Y [X Y ...]: prints the colour of each root-window pixel of $DISPLAY as
// "#rrggbb", one line per point, or "none" for a point outside the screen. Only 24-bit and
// 32-bit true-colour screens, which is what the end-to-end tests run on.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdio>
#include <cstdlib>

namespace {

int errorCount = 0;

int countError(Display*, XErrorEvent*) {
    ++errorCount;
    return 0;
}

unsigned channel(unsigned long pixel, unsigned long mask) {
    return static_cast<unsigned>((pixel & mask) >> std::countr_zero(mask)) & 0xFF;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s X Y [X Y ...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: cannot open display\n", argv[0]);
        return 2;
    }
    XSetErrorHandler(countError);
    const Visual* visual = DefaultVisual(display, DefaultScreen(display));
    if (visual->c_class != TrueColor || std::popcount(visual->red_mask) != 8) {
        std::fprintf(stderr, "%s: not a 24-bit true-colour screen\n", argv[0]);
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const int x = std::atoi(argv[i]);
        const int y = std::atoi(argv[i + 1]);
        XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) {
            std::printf("none\n");
            continue;
        }
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        std::printf("#%02x%02x%02x\n", channel(pixel, visual->red_mask),
                    channel(pixel, visual->green_mask), channel(pixel, visual->blue_mask));
    }
    XCloseDisplay(display);
    return 0;
}
