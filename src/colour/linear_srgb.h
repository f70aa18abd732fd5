#pragma once

#include "colour/colour_value.h"

#include <array>
#include <cmath>
#include <cstddef>

// Linear sRGB: the light a colour's 8-bit channels stand for, which the colour spaces, luminance
// and colour-vision rules all start from.
namespace tinctora::colour {

using Vector3 = std::array<double, 3>;
using Matrix3 = std::array<Vector3, 3>;

inline Vector3 times(const Matrix3& m, const Vector3& v) {
    Vector3 out{};
    for (std::size_t row = 0; row < 3; ++row)
        out[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    return out;
}

// The sRGB transfer function undone: a straight line near black (to 0.04045), a 2.4 power above.
inline double linearOf(int byte) {
    const double c = byte / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline Vector3 linearRgbOf(ColourValue v) {
    return {linearOf(redByte(v)), linearOf(greenByte(v)), linearOf(blueByte(v))};
}

} // namespace tinctora::colour
