#pragma once

#include "colour/colour_text.h"

#include <array>
#include <string>

// The texts other tools take a colour in. Every form describes the colour as it is painted, the
// low 24 bits of the value, so "#ffffff" and 16777215 belong together even for a value with bits
// above them. Hue, saturation, lightness and value are computed exactly and rounded half up to
// whole degrees and percents; a colour without saturation (black, white, greys) has hue 0.
namespace tinctora::colour {

enum class ColourForm {
    CssHex,       // #123456
    CssRgb,       // rgb(18, 52, 86)
    CssHsl,       // hsl(210, 65%, 20%)
    Hsv,          // hsv(210, 79%, 34%)
    PlainDecimal, // 5649426
};

// In the order a menu offers them.
inline constexpr std::array<ColourForm, 5> kColourForms = {ColourForm::CssHex, ColourForm::CssRgb,
                                                           ColourForm::CssHsl, ColourForm::Hsv,
                                                           ColourForm::PlainDecimal};

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
