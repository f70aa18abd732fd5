#include "platform/x11/x11_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace tinctora::platform::x11 {

namespace {

class Connection final : public X11Capture, Pointer, ScreenPixels, KeyState {
public:
    explicit Connection(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~Connection() override { XCloseDisplay(display_); }

    Pointer& pointer() override { return *this; }
    ScreenPixels& pixels() override { return *this; }
    KeyState& keys() override { return *this; }

    std::optional<ScreenPoint> position() override {
        Window rootReturn = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        if (!XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY,
                           &mask))
            return std::nullopt;
        return ScreenPoint{rootX, rootY};
    }

    std::int32_t pixelAt(ScreenPoint p) override {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, root_, &attributes))
            return -1;
        if (p.x < 0 || p.y < 0 || p.x >= attributes.width || p.y >= attributes.height)
            return -1;
        XImage* image = XGetImage(display_, root_, p.x, p.y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return -1;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        const auto r = static_cast<std::int32_t>((pixel & image->red_mask) >> 16) & 0xFF;
        const auto g = static_cast<std::int32_t>((pixel & image->green_mask) >> 8) & 0xFF;
        const auto b = static_cast<std::int32_t>(pixel & image->blue_mask) & 0xFF;
        XDestroyImage(image);
        return r | (g << 8) | (b << 16);
    }

    bool isDown(HotKey key) override {
        char keymap[32];
        XQueryKeymap(display_, keymap);
        const KeyCode code = XKeysymToKeycode(display_, keysym(key));
        return (keymap[code / 8] >> (code % 8)) & 1;
    }

    bool downOrPressedSincePrevious(HotKey key) override { return isDown(key); }

private:
    static KeySym keysym(HotKey key) {
        switch (key) {
        case HotKey::F2:
            return XK_F2;
        case HotKey::F3:
            return XK_F3;
        case HotKey::F4:
            return XK_F4;
        }
        return XK_F2;
    }

    Display* display_;
    Window root_;
};

} // namespace

std::unique_ptr<X11Capture> X11Capture::open(QString* reason) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        if (reason)
            *reason = "Tinctora needs an X11 display to read the screen and the F2, F3 and F4 "
                      "keys, and none could be opened. Capture stays stopped.";
        return nullptr;
    }
    return std::make_unique<Connection>(display);
}

} // namespace tinctora::platform::x11
