#include "platform/grabbed_screen.h"

namespace tinctora::platform {

FrozenScreen frozenScreenOf(QImage picture, ScreenPoint origin,
                            const std::vector<ScreenRect>& reported) {
    // In place: the picture may be the memory the system handed over, the one copy it has.
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    const ScreenRect whole{origin.x, origin.y, picture.width(), picture.height()};
    std::vector<ScreenRect> monitors;
    for (const ScreenRect& monitor : reported) {
        const ScreenRect inside = monitor.intersected(whole);
        if (!inside.isEmpty())
            monitors.push_back(inside);
    }
    if (monitors.empty() && !whole.isEmpty())
        monitors.push_back(whole);
    return FrozenScreen{std::move(picture), origin, std::move(monitors)};
}

} // namespace tinctora::platform
