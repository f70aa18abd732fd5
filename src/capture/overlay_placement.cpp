#include "capture/overlay_placement.h"

#include <cmath>

namespace tinctora::capture {

namespace {

// The toolkit's QRect::center(): the middle pixel, rounded towards the top-left.
ScreenPoint centreOf(const ScreenRect& r) {
    return {(2 * r.x + r.width - 1) / 2, (2 * r.y + r.height - 1) / 2};
}

bool overlaps(const ScreenRect& a, const ScreenRect& b) {
    return !a.intersected(b).isEmpty();
}

// The screen holding a screen-pixel point, or the primary one.
int screenHolding(ScreenPoint p, const std::vector<ToolkitScreen>& screens, int primary) {
    for (int i = 0; i < static_cast<int>(screens.size()); ++i) {
        const ToolkitScreen& s = screens[static_cast<std::size_t>(i)];
        const ScreenRect native{s.geometry.x, s.geometry.y,
                                static_cast<int>(std::ceil(s.geometry.width * s.scale)),
                                static_cast<int>(std::ceil(s.geometry.height * s.scale))};
        if (native.contains(p))
            return i;
    }
    return primary;
}

// A screen-pixel rectangle in the toolkit's units as seen from one screen: scaled around that
// screen's top-left, rounded outwards.
ScreenRect logicalAround(const ScreenRect& native, const ToolkitScreen& screen) {
    const ScreenPoint origin{screen.geometry.x, screen.geometry.y};
    return {origin.x + static_cast<int>(std::floor((native.x - origin.x) / screen.scale)),
            origin.y + static_cast<int>(std::floor((native.y - origin.y) / screen.scale)),
            static_cast<int>(std::ceil(native.width / screen.scale)),
            static_cast<int>(std::ceil(native.height / screen.scale))};
}

} // namespace

int screenChosenFor(const ScreenRect& geometry, int current,
                    const std::vector<ToolkitScreen>& screens) {
    const ScreenPoint centre = centreOf(geometry);
    if (screens[static_cast<std::size_t>(current)].geometry.contains(centre))
        return current;
    int fallback = current;
    for (int i = 0; i < static_cast<int>(screens.size()); ++i) {
        const ScreenRect& g = screens[static_cast<std::size_t>(i)].geometry;
        if (g.contains(centre))
            return i;
        if (overlaps(g, geometry))
            fallback = i;
    }
    return fallback;
}

OverlayPlacement placeOverlay(const ScreenRect& native, const std::vector<ToolkitScreen>& screens,
                              int primary) {
    if (screens.empty())
        return {std::nullopt, native, 1.0, {native.x, native.y}};
    if (primary < 0 || primary >= static_cast<int>(screens.size()))
        primary = 0;
    // The holder of the centre is tried first, then every screen in turn.
    std::vector<int> candidates{screenHolding(centreOf(native), screens, primary)};
    for (int i = 0; i < static_cast<int>(screens.size()); ++i)
        if (i != candidates.front())
            candidates.push_back(i);
    int filedUnder = candidates.front();
    ScreenRect geometry = logicalAround(native, screens[static_cast<std::size_t>(filedUnder)]);
    for (int candidate : candidates) {
        const ScreenRect seen = logicalAround(native, screens[static_cast<std::size_t>(candidate)]);
        if (screenChosenFor(seen, candidate, screens) == candidate) {
            filedUnder = candidate;
            geometry = seen;
            break;
        }
    }
    const ToolkitScreen& used =
        screens[static_cast<std::size_t>(screenChosenFor(geometry, filedUnder, screens))];
    const ScreenPoint origin{used.geometry.x, used.geometry.y};
    const ScreenPoint nativeTopLeft{
        origin.x + static_cast<int>(std::lround((geometry.x - origin.x) * used.scale)),
        origin.y + static_cast<int>(std::lround((geometry.y - origin.y) * used.scale))};
    return {filedUnder, geometry, used.scale, nativeTopLeft};
}

} // namespace tinctora::capture
