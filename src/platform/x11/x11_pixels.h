#pragma once

#include "platform/pixel_channels.h"
#include "platform/x11/x11_connection.h"

namespace tinctora::platform::x11 {

// The colour of one pixel of the root window, which shows every monitor of the screen at its
// place in root coordinates. The root's size is remembered and refreshed when the screen
// changes size (or a read fails), so a read is one request to the server.
class X11Pixels final : public ScreenPixels {
public:
    explicit X11Pixels(Connection& connection);
    // -1 outside the screen and when the server refuses the read.
    colour::ColourValue pixelAt(ScreenPoint p) override;

private:
    void refreshRootSize();
    bool onScreen(ScreenPoint p) const;
    colour::ColourValue colourOf(unsigned long pixel);

    Connection& connection_;
    int width_ = 0;
    int height_ = 0;
    bool sizeKnown_ = false;
    // True colour: the pixel value holds the components. Otherwise (palette screens) the
    // colour map says which colour a pixel value stands for.
    bool trueColour_ = true;
    ChannelMasks masks_;
    Colormap colormap_ = 0;
};

} // namespace tinctora::platform::x11
