#pragma once

// Where the freeze overlay's magnifier goes. Everything is in screen pixels: the pointer, the
// monitors and the result, so the layout is the same whatever scale the toolkit draws at.

#include "platform/screen_geometry.h"

#include <optional>
#include <vector>

namespace tinctora::capture {

using platform::ScreenPoint;
using platform::ScreenRect;

struct MagnifierShape {
    int gridPixels = 15;  // source pixels across and down; odd, so one pixel is the centre
    int zoom = 9;         // screen pixels per source pixel
    int labelHeight = 40; // below the grid: the centre colour as text
    int gap = 16;         // between the pointer's pixel and the nearest edge of the magnifier
};

struct MagnifierLayout {
    // The source pixels shown, centred on the pointer. Parts may lie off every monitor: those
    // cells show no pixel (see shownPixel).
    ScreenRect source;
    // The whole magnifier (grid and label) and the grid inside it, where they are drawn.
    ScreenRect panel;
    ScreenRect grid;
    // The square a pick averages, centred on the pointer (parts of it may lie off every
    // monitor), and its outline over the grid: the cells it covers.
    ScreenRect aperture;
    ScreenRect apertureOutline;
    // The monitor the magnifier stays on (index into the monitors given), or nothing when no
    // monitor was given.
    std::optional<int> monitor;
};

// Below and to the right of the pointer by default; on the left when that side would leave the
// monitor, above when the bottom would. The panel stays wholly on the pointer's monitor (the
// nearest one when the pointer is between monitors) and never covers the pointer's pixel unless
// the monitor is too small to hold it beside the pointer in either direction. The aperture is
// apertureSize pixels wide, made odd and kept within the grid.
MagnifierLayout layOutMagnifier(ScreenPoint pointer, const std::vector<ScreenRect>& monitors,
                                const MagnifierShape& shape = {}, int apertureSize = 1);

// Whether a screen pixel lies on one of the monitors.
bool onAMonitor(ScreenPoint p, const std::vector<ScreenRect>& monitors);

// The screen pixel shown in grid cell (column, row), or nothing when that pixel is off every
// monitor (or the cell is outside the grid).
std::optional<ScreenPoint> shownPixel(const MagnifierLayout& layout,
                                      const std::vector<ScreenRect>& monitors, int column, int row);

} // namespace tinctora::capture
