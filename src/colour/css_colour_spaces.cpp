#include "colour/css_colour_spaces.h"
#include "colour/linear_srgb.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tinctora::colour {

namespace {

using Vector = Vector3;
using Matrix = Matrix3;

// The constants are CSS Color 4's own, digit for digit, so that every tool following it prints
// the same text for the same colour.

// Linear sRGB to CIE XYZ relative to D65, in the exact fractions that follow from the sRGB
// primaries and white point.
constexpr Matrix kLinearSrgbToXyzD65{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};

// Bradford chromatic adaptation from the D65 white to the D50 white.
constexpr Matrix kXyzD65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};

constexpr Vector kWhiteD50{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

// OKLab's cone responses from XYZ (D65), and its lightness and opponent axes from their cube
// roots.
constexpr Matrix kXyzD65ToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix kLmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};

Vector xyzD65Of(ColourValue v) {
    return times(kLinearSrgbToXyzD65, linearRgbOf(v));
}

// CIE Lab's companding: a cube root above (6/29)^3, a straight line below it that meets it.
double labCompanded(double ratioToWhite) {
    constexpr double epsilon = 216.0 / 24389.0;
    constexpr double kappa = 24389.0 / 27.0;
    return ratioToWhite > epsilon ? std::cbrt(ratioToWhite) : (kappa * ratioToWhite + 16.0) / 116.0;
}

struct ChromaHue {
    double chroma;
    double hue;
};

ChromaHue chromaHueOf(double a, double b) {
    double hue = std::atan2(b, a) * 180.0 / std::numbers::pi;
    if (hue < 0)
        hue += 360.0;
    if (hue >= 360.0) // a tiny negative angle plus 360 can round up to 360 itself
        hue = 0.0;
    return {std::hypot(a, b), hue};
}

} // namespace

OkLab oklabOf(ColourValue v) {
    const Vector lms = times(kXyzD65ToLms, xyzD65Of(v));
    const Vector oklab =
        times(kLmsToOklab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
    return {oklab[0], oklab[1], oklab[2]};
}

CieLab cieLabOf(ColourValue v) {
    const Vector xyz = times(kXyzD65ToD50, xyzD65Of(v));
    const double fx = labCompanded(xyz[0] / kWhiteD50[0]);
    const double fy = labCompanded(xyz[1] / kWhiteD50[1]);
    const double fz = labCompanded(xyz[2] / kWhiteD50[2]);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

OkLch polarOf(const OkLab& lab) {
    const ChromaHue polar = chromaHueOf(lab.a, lab.b);
    return {lab.lightness, polar.chroma, polar.hue};
}

CieLch polarOf(const CieLab& lab) {
    const ChromaHue polar = chromaHueOf(lab.a, lab.b);
    return {lab.lightness, polar.chroma, polar.hue};
}

} // namespace tinctora::colour
