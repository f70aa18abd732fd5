#pragma once

// Screen pixels to and from Qt's points and rectangles, for whoever hands them to Qt or reads
// them from it. QRect's right() and bottom() are its last column and row, ScreenRect's xEnd() and
// yEnd() one past them: the conversions go through the sizes, on which the two agree.

#include "platform/screen_geometry.h"

#include <QPoint>
#include <QRect>

namespace tinctora::platform {

inline QPoint toQPoint(ScreenPoint p) {
    return QPoint(p.x, p.y);
}
inline ScreenPoint screenPointOf(QPoint p) {
    return {p.x(), p.y()};
}
inline QRect toQRect(const ScreenRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}
inline ScreenRect screenRectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace tinctora::platform
