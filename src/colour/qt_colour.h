#pragma once

// Colour values to and from Qt's colours, for whoever paints them or hands them to Qt. Header
// only, so that the rules that use colour values stay free of Qt.

#include "colour/colour_value.h"

#include <QColor>
#include <QRgb>

namespace tinctora::colour {

inline QRgb toQRgb(ColourValue v) {
    return qRgb(redByte(v), greenByte(v), blueByte(v));
}
inline QColor toQColor(ColourValue v) {
    return QColor(toQRgb(v));
}
// The alpha channel is ignored: colour values have none.
inline ColourValue fromQRgb(QRgb rgb) {
    return colourFromBytes(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
inline ColourValue fromQColor(const QColor& c) {
    return fromQRgb(c.rgb());
}

} // namespace tinctora::colour
