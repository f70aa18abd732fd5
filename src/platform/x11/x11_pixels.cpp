#include "platform/x11/x11_pixels.h"

#include <X11/Xutil.h>

namespace tinctora::platform::x11 {

X11Pixels::X11Pixels(Connection& connection) : connection_(connection) {
    Display* display = connection_.display();
    // The root window always has the screen's default visual and colour map.
    const Visual* visual = DefaultVisual(display, connection_.screen());
    trueColour_ = visual->c_class == TrueColor;
    masks_ = ChannelMasks{static_cast<std::uint32_t>(visual->red_mask),
                          static_cast<std::uint32_t>(visual->green_mask),
                          static_cast<std::uint32_t>(visual->blue_mask)};
    colormap_ = DefaultColormap(display, connection_.screen());
    connection_.onEvent([this](XEvent& event) {
        if (event.type == ConfigureNotify && event.xconfigure.window == connection_.root()) {
            width_ = event.xconfigure.width;
            height_ = event.xconfigure.height;
            sizeKnown_ = true;
        }
    });
    refreshRootSize();
}

void X11Pixels::refreshRootSize() {
    const std::optional<RootSize> size = connection_.rootSize();
    sizeKnown_ = size.has_value();
    width_ = size ? size->width : 0;
    height_ = size ? size->height : 0;
}

bool X11Pixels::onScreen(ScreenPoint p) const {
    return p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_;
}

colour::ColourValue X11Pixels::pixelAt(ScreenPoint p) {
    connection_.drainEvents(); // picks up a change of screen size
    if (!sizeKnown_)
        refreshRootSize();
    // Asking for a pixel outside the root is an X error, so it is never asked.
    if (!onScreen(p))
        return colour::kNoColour;
    XImage* image =
        XGetImage(connection_.display(), connection_.root(), p.x, p.y, 1, 1, AllPlanes, ZPixmap);
    colour::ColourValue colour = colour::kNoColour;
    if (image) {
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        colour = colourOf(pixel);
    } else {
        // Most likely the screen shrank before its ConfigureNotify arrived.
        refreshRootSize();
    }
    // Events that came in while waiting for the replies are in Xlib's queue now, where the
    // socket's wake-up would not see them until the next tick.
    connection_.drainReadEvents();
    return colour;
}

colour::ColourValue X11Pixels::colourOf(unsigned long pixel) {
    if (trueColour_)
        return colourFromPixel(static_cast<std::uint32_t>(pixel), masks_);
    XColor entry{};
    entry.pixel = pixel;
    const unsigned long errorsBefore = connection_.errors().count();
    XQueryColor(connection_.display(), colormap_, &entry); // waits for the reply or the error
    if (connection_.errors().count() != errorsBefore)
        return colour::kNoColour;
    return colourFromColormapEntry(entry.red, entry.green, entry.blue);
}

} // namespace tinctora::platform::x11
