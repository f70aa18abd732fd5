#include "platform/wayland/pick_position.h"

#include <QGuiApplication>
#include <QScreen>

namespace tinctora::platform::wayland {

namespace {

ScreenPoint middleOfPrimaryMonitor() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // Screen pixels: the monitor's own size times its scale, from its origin.
    const QRect g = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    return {g.x() + static_cast<int>(g.width() * scale / 2),
            g.y() + static_cast<int>(g.height() * scale / 2)};
}

} // namespace

std::optional<ScreenPoint> PickPosition::position() {
    if (!at_)
        at_ = middleOfPrimaryMonitor();
    return *at_;
}

bool PickPosition::moveBy(int dx, int dy) {
    position();
    at_->x += dx;
    at_->y += dy;
    return true;
}

void PickPosition::seenAt(ScreenPoint screenPixel) {
    at_ = screenPixel;
}

} // namespace tinctora::platform::wayland
