#pragma once

#include "colour/colour_text.h"

// The colour spaces of modern CSS (Color Module Level 4), computed from the painted colour (the
// low 24 bits) as that module defines them: the sRGB transfer function undone, then OKLab from
// linear sRGB, or CIE Lab relative to the D50 white after the Bradford adaptation from D65.
namespace tinctora::colour {

struct LabColour {
    double lightness; // 0..1 in OKLab, 0..100 in CIE Lab
    double a;
    double b;
};

struct PolarLabColour {
    double lightness;
    double chroma;
    double hue; // degrees, 0 <= hue < 360
};

LabColour oklabOf(ColourValue v);
LabColour cieLabOf(ColourValue v);

// The same colour with its a and b as a distance and an angle from the neutral axis.
PolarLabColour polarOf(const LabColour& lab);

} // namespace tinctora::colour
