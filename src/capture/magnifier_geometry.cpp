#include "capture/magnifier_geometry.h"

#include <algorithm>
#include <limits>

namespace tinctora::capture {

namespace {

// Distance in pixels from p to the nearest pixel of r (0 inside).
long long distanceTo(const ScreenRect& r, ScreenPoint p) {
    const long long dx = p.x < r.x ? r.x - p.x : (p.x >= r.xEnd() ? p.x - r.xEnd() + 1 : 0);
    const long long dy = p.y < r.y ? r.y - p.y : (p.y >= r.yEnd() ? p.y - r.yEnd() + 1 : 0);
    return dx * dx + dy * dy;
}

std::optional<int> monitorFor(ScreenPoint p, const std::vector<ScreenRect>& monitors) {
    std::optional<int> best;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const ScreenRect& m = monitors[static_cast<std::size_t>(i)];
        if (m.width <= 0 || m.height <= 0)
            continue;
        const long long d = distanceTo(m, p);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// Start of a span of `size` along one axis: after the pointer when it fits before `end`, else
// before the pointer when that fits after `start`, else as close to the pointer as the monitor
// allows.
int place(int pointer, int size, int gap, int start, int end) {
    const int after = pointer + 1 + gap;
    if (after + size <= end)
        return after;
    const int before = pointer - gap - size;
    if (before >= start && before + size <= end)
        return before;
    return std::max(start, std::min(after, end - size));
}

} // namespace

MagnifierLayout layOutMagnifier(ScreenPoint pointer, const std::vector<ScreenRect>& monitors,
                                const MagnifierShape& shape, int apertureSize) {
    MagnifierLayout layout;
    const int half = shape.gridPixels / 2;
    layout.source = {pointer.x - half, pointer.y - half, shape.gridPixels, shape.gridPixels};
    const int gridSize = shape.gridPixels * shape.zoom;
    const int width = gridSize;
    const int height = gridSize + shape.labelHeight;
    layout.monitor = monitorFor(pointer, monitors);
    if (layout.monitor) {
        const ScreenRect& m = monitors[static_cast<std::size_t>(*layout.monitor)];
        layout.panel = {place(pointer.x, width, shape.gap, m.x, m.xEnd()),
                        place(pointer.y, height, shape.gap, m.y, m.yEnd()), width, height};
    } else {
        layout.panel = {pointer.x + 1 + shape.gap, pointer.y + 1 + shape.gap, width, height};
    }
    layout.grid = {layout.panel.x, layout.panel.y, gridSize, gridSize};
    const int side = std::clamp(apertureSize | 1, 1, std::max(1, shape.gridPixels));
    layout.aperture = {pointer.x - side / 2, pointer.y - side / 2, side, side};
    const int firstCell = half - side / 2;
    layout.apertureOutline = {layout.grid.x + firstCell * shape.zoom,
                              layout.grid.y + firstCell * shape.zoom, side * shape.zoom,
                              side * shape.zoom};
    return layout;
}

std::optional<ScreenPoint> shownPixel(const MagnifierLayout& layout,
                                      const std::vector<ScreenRect>& monitors, int column,
                                      int row) {
    if (column < 0 || row < 0 || column >= layout.source.width || row >= layout.source.height)
        return std::nullopt;
    const ScreenPoint p{layout.source.x + column, layout.source.y + row};
    if (onAMonitor(p, monitors))
        return p;
    return std::nullopt;
}

bool onAMonitor(ScreenPoint p, const std::vector<ScreenRect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [p](const ScreenRect& m) { return m.contains(p); });
}

} // namespace tinctora::capture
