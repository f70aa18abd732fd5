#pragma once

#include "capture/magnifier_geometry.h"
#include "colour/colour_value.h"

#include <QImage>

#include <functional>
#include <optional>
#include <vector>

namespace tinctora::capture {

// The colour of a screen pixel in the frozen picture, or nothing where the picture has none.
using PictureColourAt = std::function<std::optional<colour::ColourValue>(ScreenPoint)>;

// Draws the magnifier's grid into picture (made the grid's size when it is not): every shown
// pixel as a square zoom pixels wide, a see-through grey line along the top and the left of every
// square but the first row's and column's, and the squares of pixels off every monitor hatched.
// The overlay draws it once when the magnifier moves, in place of some 450 small fills and lines
// through QPainter at every paint.
void drawMagnifiedGrid(QImage& picture, const MagnifierLayout& layout,
                       const std::vector<ScreenRect>& monitors, int zoom,
                       const PictureColourAt& colourAt);

} // namespace tinctora::capture
