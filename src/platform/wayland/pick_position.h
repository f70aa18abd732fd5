#pragma once

#include "platform/platform.h"
#include "platform/screen_grab.h"

#include <optional>

namespace tinctora::platform::wayland {

// The pick position on a desktop that neither tells where its pointer is nor lets a program move
// it: where the frozen overlay last saw the mouse, moved by the arrow keys, and the middle of the
// primary monitor before anything was seen.
class PickPosition final : public Pointer, public PointerMover {
public:
    std::optional<ScreenPoint> position() override;
    bool moveBy(int dx, int dy) override;
    void seenAt(ScreenPoint screenPixel) override;

private:
    std::optional<ScreenPoint> at_;
};

} // namespace tinctora::platform::wayland
