#pragma once

// Places on the screen in screen pixels, the one unit the pointer, the pixel reads, the grabs, the
// monitors and the magnifier share (never the toolkit's scaled units). Plain C++, so that the
// rules that place things are tested without Qt; qt_screen_geometry.h converts to and from Qt.

#include <algorithm>

namespace tinctora::platform {

// One screen pixel. Left of or above the primary monitor, x or y is negative.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A rectangle of whole pixels, half-open: the columns x up to but not including xEnd(), the rows
// y up to but not including yEnd().
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int xEnd() const { return x + width; }
    int yEnd() const { return y + height; }
    ScreenPoint topLeft() const { return {x, y}; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(ScreenPoint p) const {
        return p.x >= x && p.y >= y && p.x < xEnd() && p.y < yEnd();
    }
    // The pixels in both; empty (all zero) when there are none.
    ScreenRect intersected(const ScreenRect& other) const {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int right = std::min(xEnd(), other.xEnd());
        const int bottom = std::min(yEnd(), other.yEnd());
        if (right <= left || bottom <= top)
            return {};
        return {left, top, right - left, bottom - top};
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

} // namespace tinctora::platform
