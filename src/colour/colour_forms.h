#pragma once

#include "colour/colour_text.h"

#include <array>
#include <string>

// The texts other tools take a colour in. Every form describes the colour as it is painted, the
// low 24 bits of the value, so "#ffffff" and 16777215 belong together even for a value with bits
// above them. Hue, saturation, lightness and value are computed exactly and rounded half up to
// whole degrees and percents; a colour without saturation (black, white, greys) has hue 0.
// The CSS Color 4 forms (see css_colour_spaces.h) have fixed decimals: lightness to 2, OKLab's a,
// b and chroma to 4, CIE Lab's a, b and chroma to 2, hues to 2. They are rounded half away from
// zero at the last digit shown, never read "-0", and a colour whose chroma shows as zero has hue 0.
namespace tinctora::colour {

enum class ColourForm {
    CssHex,       // #123456
    CssRgb,       // rgb(18, 52, 86)
    CssHsl,       // hsl(210, 65%, 20%)
    Hsv,          // hsv(210, 79%, 34%)
    PlainDecimal, // 5649426
    CssOklch,     // oklch(31.92% 0.0725 251.17)
    CssOklab,     // oklab(31.92% -0.0234 -0.0686)
    CssLab,       // lab(20.68% -2.28 -24.59)
    CssLch,       // lch(20.68% 24.70 264.71)
};

// In the order a menu offers them.
inline constexpr std::array<ColourForm, 9> kColourForms = {
    ColourForm::CssHex,   ColourForm::CssRgb,       ColourForm::CssHsl,
    ColourForm::Hsv,      ColourForm::PlainDecimal, ColourForm::CssOklch,
    ColourForm::CssOklab, ColourForm::CssLab,       ColourForm::CssLch};

struct HueSaturationLightness {
    int hue;        // 0..359 degrees
    int saturation; // 0..100 percent
    int lightness;  // 0..100 percent
};

struct HueSaturationValue {
    int hue;        // 0..359 degrees
    int saturation; // 0..100 percent
    int value;      // 0..100 percent
};

HueSaturationLightness hslOf(ColourValue v);
HueSaturationValue hsvOf(ColourValue v);

std::string colourFormText(ColourForm form, ColourValue v);

} // namespace tinctora::colour
