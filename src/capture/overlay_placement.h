#pragma once

// Where the freeze overlay's window goes so that it covers the frozen picture exactly. The
// toolkit places top-level windows in its own units: each screen keeps its top-left in screen
// pixels while its size is divided by its scale, and a window's place is scaled around the
// top-left of the one screen the toolkit files the window under, even when the window spans
// several monitors at different scales.

#include "capture/magnifier_geometry.h"

#include <optional>
#include <vector>

namespace tinctora::capture {

// One of the toolkit's screens.
struct ToolkitScreen {
    ScreenRect geometry; // in the toolkit's units
    double scale = 1.0;  // device pixels per unit
};

struct OverlayPlacement {
    std::optional<int> screen; // the screen to file the window under; nothing when none is known
    ScreenRect geometry;       // the window's place, in the toolkit's units
    double scale = 1.0;        // the scale the toolkit then draws the window at
    ScreenPoint nativeTopLeft; // the screen pixel under the window's top-left device pixel
    friend bool operator==(const OverlayPlacement&, const OverlayPlacement&) = default;
};

// The place of a window covering `native` (screen pixels), filed under a screen that the toolkit
// keeps it under once placed: the screen holding its centre when that works, otherwise the first
// that does. `primary` is the screen the toolkit falls back to for points on no screen.
OverlayPlacement placeOverlay(const ScreenRect& native, const std::vector<ToolkitScreen>& screens,
                              int primary = 0);

// The screen whose scale the toolkit uses for a window placed at `geometry` while filed under
// `current`: the one holding its centre, else the last one it overlaps (Qt 6 decides so when a
// window is moved).
int screenChosenFor(const ScreenRect& geometry, int current,
                    const std::vector<ToolkitScreen>& screens);

} // namespace tinctora::capture
