#pragma once

// The monitors of a frozen picture of the whole Windows desktop, without <windows.h>, so that
// the rule is tested on every platform.

#include <QRect>

#include <vector>

namespace tinctora::platform::win32 {

// Each monitor the system reported, cut to the virtual screen that was grabbed (a monitor added
// between the two questions may lie partly outside it); those left empty are dropped. Monitors
// left of or above the primary one have negative coordinates, and so has the virtual screen. With
// no monitor left, the whole grab counts as one.
inline std::vector<QRect> monitorsWithin(const QRect& virtualScreen,
                                         const std::vector<QRect>& reported) {
    std::vector<QRect> monitors;
    for (const QRect& monitor : reported) {
        const QRect inside = monitor & virtualScreen;
        if (!inside.isEmpty())
            monitors.push_back(inside);
    }
    if (monitors.empty() && !virtualScreen.isEmpty())
        monitors.push_back(virtualScreen);
    return monitors;
}

} // namespace tinctora::platform::win32
