#pragma once

// Where the freeze overlay's magnifier goes. Everything is in screen pixels: the pointer, the
// monitors and the result, so the layout is the same whatever scale the toolkit draws at.

#include <optional>
#include <vector>

namespace tinctora::capture {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle of whole pixels: x..x+width-1, y..y+height-1.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }   // one past the last column
    int bottom() const { return y + height; } // one past the last row
    bool contains(PixelPoint p) const {
        return p.x >= x && p.y >= y && p.x < right() && p.y < bottom();
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct MagnifierShape {
    int gridPixels = 15;  // source pixels across and down; odd, so one pixel is the centre
    int zoom = 9;         // screen pixels per source pixel
    int labelHeight = 40; // below the grid: the centre colour as text
    int gap = 16;         // between the pointer's pixel and the nearest edge of the magnifier
};

struct MagnifierLayout {
    // The source pixels shown, centred on the pointer. Parts may lie off every monitor: those
    // cells show no pixel (see shownPixel).
    PixelRect source;
    // The whole magnifier (grid and label) and the grid inside it, where they are drawn.
    PixelRect panel;
    PixelRect grid;
    // The square a pick averages, centred on the pointer (parts of it may lie off every
    // monitor), and its outline over the grid: the cells it covers.
    PixelRect aperture;
    PixelRect apertureOutline;
    // The monitor the magnifier stays on (index into the monitors given), or nothing when no
    // monitor was given.
    std::optional<int> monitor;
};

// Below and to the right of the pointer by default; on the left when that side would leave the
// monitor, above when the bottom would. The panel stays wholly on the pointer's monitor (the
// nearest one when the pointer is between monitors) and never covers the pointer's pixel unless
// the monitor is too small to hold it beside the pointer in either direction. The aperture is
// apertureSize pixels wide, made odd and kept within the grid.
MagnifierLayout layOutMagnifier(PixelPoint pointer, const std::vector<PixelRect>& monitors,
                                const MagnifierShape& shape = {}, int apertureSize = 1);

// Whether a screen pixel lies on one of the monitors.
bool onAMonitor(PixelPoint p, const std::vector<PixelRect>& monitors);

// The screen pixel shown in grid cell (column, row), or nothing when that pixel is off every
// monitor (or the cell is outside the grid).
std::optional<PixelPoint> shownPixel(const MagnifierLayout& layout,
                                     const std::vector<PixelRect>& monitors, int column, int row);

} // namespace tinctora::capture
