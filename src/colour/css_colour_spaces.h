#pragma once

#include "colour/colour_text.h"

// The colour spaces of modern CSS (Color Module Level 4), computed from the painted colour (the
// low 24 bits) as that module defines them: the sRGB transfer function undone, then OKLab from
// linear sRGB, or CIE Lab relative to the D50 white after the Bradford adaptation from D65.
namespace tinctora::colour {

// OKLab and CIE Lab measure lightness on different scales, so each has its own type: handing a
// colour of one space to code written for the other does not compile.
struct OkLab {
    double lightness; // 0..1
    double a;
    double b;
};

struct CieLab {
    double lightness; // 0..100
    double a;
    double b;
};

// The same colours with their a and b as a distance and an angle from the neutral axis; the
// lightness keeps its space's scale.
struct OkLch {
    double lightness; // 0..1
    double chroma;
    double hue; // degrees, 0 <= hue < 360
};

struct CieLch {
    double lightness; // 0..100
    double chroma;
    double hue; // degrees, 0 <= hue < 360
};

OkLab oklabOf(ColourValue v);
CieLab cieLabOf(ColourValue v);

OkLch polarOf(const OkLab& lab);
CieLch polarOf(const CieLab& lab);

// The lightness in percent, the unit CSS prints for both spaces.
inline double lightnessPercent(const OkLab& lab) {
    return 100.0 * lab.lightness;
}
inline double lightnessPercent(const CieLab& lab) {
    return lab.lightness;
}

} // namespace tinctora::colour
