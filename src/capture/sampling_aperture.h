#pragma once

#include "capture/magnifier_geometry.h"
#include "colour/colour_text.h"

#include <array>
#include <functional>
#include <optional>

// Picking from the frozen screen can take the average of a small square around the pointer's
// pixel instead of that pixel alone, for photos, dithering and anti-aliased edges.
namespace tinctora::capture {

// The sides of the squares offered, in screen pixels: odd, so the pointer's pixel is the centre.
inline constexpr std::array<int, 6> kApertureSizes = {1, 3, 5, 7, 9, 11};

// The next size up or down, staying at the largest or the smallest. A size that is not one of
// them steps to the nearest one in that direction.
int largerAperture(int size);
int smallerAperture(int size);

// The colour of one screen pixel of the frozen picture, or nothing where it has none (off the
// picture, off every monitor).
using PixelSource = std::function<std::optional<colour::ColourValue>(ScreenPoint)>;

// The mean of each channel (8 bits) over the pixels of the square that have a colour, rounded
// half up; nothing when none has.
std::optional<colour::ColourValue> averageColour(const ScreenRect& square,
                                                 const PixelSource& pixelAt);

} // namespace tinctora::capture
