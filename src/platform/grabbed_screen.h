#pragma once

#include "platform/screen_grab.h"

#include <QImage>

#include <vector>

namespace tinctora::platform {

// What every backend that reads the whole screen itself (X11, Windows) makes of its picture: the
// picture placed at origin, opaque (the X server and GDI leave the top byte of each pixel 0,
// QImage's RGB32 has it 0xFF), with each monitor the system reported cut to the picture (one added
// between the two questions may lie partly outside it) and those left empty dropped. With no
// monitor left, the whole picture counts as one. Screen pixels throughout; origin and monitors may
// be negative (a monitor left of or above the primary one).
FrozenScreen frozenScreenOf(QImage picture, ScreenPoint origin,
                            const std::vector<ScreenRect>& reported);

} // namespace tinctora::platform
