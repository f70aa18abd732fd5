#include "colour/colour_forms.h"
#include "colour/css_colour_spaces.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tinctora::colour {

namespace {

// numerator / denominator rounded half up, both non-negative: integers only, so a result that is
// exactly x.5 is never seen as x.4999... (as 100 * 29 / 200 is in floating point).
int roundedQuotient(int numerator, int denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

struct Extremes {
    int red;
    int green;
    int blue;
    int max;
    int min;
};

Extremes extremesOf(ColourValue v) {
    const int r = colour::redByte(v);
    const int g = colour::greenByte(v);
    const int b = colour::blueByte(v);
    return {r, g, b, std::max({r, g, b}), std::min({r, g, b})};
}

// The hue circle is split into six sectors of 60 degrees; the largest component picks the
// sector pair and the difference of the other two the place inside it.
int hueOf(const Extremes& e) {
    const int chroma = e.max - e.min;
    if (chroma == 0)
        return 0;
    int sixtieths; // hue in degrees times chroma, 0 <= sixtieths < 360 * chroma
    if (e.max == e.red)
        sixtieths = 60 * (e.green - e.blue) + (e.green < e.blue ? 360 * chroma : 0);
    else if (e.max == e.green)
        sixtieths = 60 * (e.blue - e.red) + 120 * chroma;
    else
        sixtieths = 60 * (e.red - e.green) + 240 * chroma;
    const int hue = roundedQuotient(sixtieths, chroma);
    return hue == 360 ? 0 : hue;
}

std::string formatted(const char* format, int a, int b, int c) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

// value in units of its last shown decimal, rounded half away from zero.
long long roundedUnits(double value, int decimals) {
    return std::llround(value * std::pow(10.0, decimals));
}

// "-0.0234" for -234 units at 4 decimals; zero has no sign.
std::string unitsText(long long units, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long magnitude = std::llabs(units);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%0*lld", units < 0 ? "-" : "", magnitude / scale,
                  decimals, magnitude % scale);
    return buffer;
}

std::string fixedText(double value, int decimals) {
    return unitsText(roundedUnits(value, decimals), decimals);
}

constexpr int kHueDecimals = 2;

// "L% a b" of an OKLab or CIE Lab colour.
template <typename Lab> std::string labTexts(const Lab& lab, int decimals) {
    return fixedText(lightnessPercent(lab), 2) + "% " + fixedText(lab.a, decimals) + " " +
           fixedText(lab.b, decimals);
}

// "L% C H"; the hue of a colour whose chroma shows as zero means nothing and is shown as 0, as is
// a hue that rounds up to a full turn.
template <typename Lab> std::string polarTexts(const Lab& lab, int decimals) {
    const auto polar = polarOf(lab);
    const long long chroma = roundedUnits(polar.chroma, decimals);
    long long hue = chroma == 0 ? 0 : roundedUnits(polar.hue, kHueDecimals);
    if (hue == roundedUnits(360.0, kHueDecimals))
        hue = 0;
    return fixedText(lightnessPercent(lab), 2) + "% " + unitsText(chroma, decimals) + " " +
           unitsText(hue, kHueDecimals);
}

} // namespace

HueSaturationLightness hslOf(ColourValue v) {
    const Extremes e = extremesOf(v);
    const int chroma = e.max - e.min;
    const int sum = e.max + e.min; // lightness is sum / 510
    // Saturation is chroma over the largest chroma this lightness allows.
    const int room = sum <= 255 ? sum : 510 - sum;
    const int saturation = chroma == 0 ? 0 : roundedQuotient(100 * chroma, room);
    return {hueOf(e), saturation, roundedQuotient(100 * sum, 510)};
}

HueSaturationValue hsvOf(ColourValue v) {
    const Extremes e = extremesOf(v);
    const int chroma = e.max - e.min;
    const int saturation = e.max == 0 ? 0 : roundedQuotient(100 * chroma, e.max);
    return {hueOf(e), saturation, roundedQuotient(100 * e.max, 255)};
}

std::string colourFormText(ColourForm form, ColourValue v) {
    const int r = colour::redByte(v);
    const int g = colour::greenByte(v);
    const int b = colour::blueByte(v);
    switch (form) {
    case ColourForm::CssHex:
        return formatted("#%02x%02x%02x", r, g, b);
    case ColourForm::CssRgb:
        return formatted("rgb(%d, %d, %d)", r, g, b);
    case ColourForm::CssHsl: {
        const HueSaturationLightness hsl = hslOf(v);
        return formatted("hsl(%d, %d%%, %d%%)", hsl.hue, hsl.saturation, hsl.lightness);
    }
    case ColourForm::Hsv: {
        const HueSaturationValue hsv = hsvOf(v);
        return formatted("hsv(%d, %d%%, %d%%)", hsv.hue, hsv.saturation, hsv.value);
    }
    case ColourForm::PlainDecimal:
        return colour::plainDecimalText(colour::colourFromBytes(r, g, b));
    case ColourForm::CssOklch:
        return "oklch(" + polarTexts(oklabOf(v), 4) + ")";
    case ColourForm::CssOklab:
        return "oklab(" + labTexts(oklabOf(v), 4) + ")";
    case ColourForm::CssLab:
        return "lab(" + labTexts(cieLabOf(v), 2) + ")";
    case ColourForm::CssLch:
        return "lch(" + polarTexts(cieLabOf(v), 2) + ")";
    }
    return {};
}

} // namespace tinctora::colour
