#include "colour/colour_forms.h"

#include <gtest/gtest.h>

namespace tinctora::colour {
namespace {

struct WorkedColour {
    int red;
    int green;
    int blue;
    const char* hex;
    const char* rgb;
    const char* hsl;
    const char* hsv;
    const char* decimal;
    // The CSS Color 4 forms, worked with an independent derivation of the matrices (from the
    // sRGB and D50 chromaticities, the Bradford cone matrix and OKLab's own linear sRGB matrix);
    // rows pinning only the rounding of the other forms leave them out.
    const char* oklch = nullptr;
    const char* oklab = nullptr;
    const char* lab = nullptr;
    const char* lch = nullptr;
};

// Worked by hand with exact fractions; the notes say which rounding each row pins down. The greys
// have a and b a hair off zero: they must show neither "-0" nor a hue.
const WorkedColour kWorkedColours[] = {
    {18, 52, 86, "#123456", "rgb(18, 52, 86)", "hsl(210, 65%, 20%)", "hsv(210, 79%, 34%)",
     "5649426", "oklch(31.92% 0.0725 251.17)", "oklab(31.92% -0.0234 -0.0686)",
     "lab(20.68% -2.28 -24.59)", "lch(20.68% 24.70 264.71)"},
    {0, 0, 0, "#000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "0",
     "oklch(0.00% 0.0000 0.00)", "oklab(0.00% 0.0000 0.0000)", "lab(0.00% 0.00 0.00)",
     "lch(0.00% 0.00 0.00)"},
    {255, 255, 255, "#ffffff", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)",
     "16777215", "oklch(100.00% 0.0000 0.00)", "oklab(100.00% 0.0000 0.0000)",
     "lab(100.00% 0.00 0.00)", "lch(100.00% 0.00 0.00)"},
    {255, 0, 0, "#ff0000", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "255",
     "oklch(62.80% 0.2577 29.23)", "oklab(62.80% 0.2249 0.1258)", "lab(54.29% 80.80 69.89)",
     "lch(54.29% 106.84 40.86)"},
    {255, 255, 0, "#ffff00", "rgb(255, 255, 0)", "hsl(60, 100%, 50%)", "hsv(60, 100%, 100%)",
     "65535", "oklch(96.80% 0.2110 109.77)", "oklab(96.80% -0.0714 0.1986)",
     "lab(97.61% -15.75 93.39)", "lch(97.61% 94.71 99.57)"},
    {0, 255, 0, "#00ff00", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)", "hsv(120, 100%, 100%)", "65280",
     "oklch(86.64% 0.2948 142.50)", "oklab(86.64% -0.2339 0.1795)", "lab(87.82% -79.27 80.99)",
     "lch(87.82% 113.33 134.38)"},
    {0, 255, 255, "#00ffff", "rgb(0, 255, 255)", "hsl(180, 100%, 50%)", "hsv(180, 100%, 100%)",
     "16776960", "oklch(90.54% 0.1546 194.77)", "oklab(90.54% -0.1494 -0.0394)",
     "lab(90.67% -50.66 -14.96)", "lch(90.67% 52.82 196.45)"},
    {0, 0, 255, "#0000ff", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)", "hsv(240, 100%, 100%)",
     "16711680", "oklch(45.20% 0.3132 264.05)", "oklab(45.20% -0.0325 -0.3115)",
     "lab(29.57% 68.29 -112.03)", "lch(29.57% 131.20 301.36)"},
    {255, 0, 255, "#ff00ff", "rgb(255, 0, 255)", "hsl(300, 100%, 50%)", "hsv(300, 100%, 100%)",
     "16711935", "oklch(70.17% 0.3225 328.36)", "oklab(70.17% 0.2746 -0.1692)",
     "lab(60.17% 93.54 -60.50)", "lch(60.17% 111.40 327.11)"},
    // Greys: hue 0, lightness 50.196 and 99.608 and 0.392 percent.
    {128, 128, 128, "#808080", "rgb(128, 128, 128)", "hsl(0, 0%, 50%)", "hsv(0, 0%, 50%)",
     "8421504", "oklch(59.99% 0.0000 0.00)", "oklab(59.99% 0.0000 0.0000)", "lab(53.59% 0.00 0.00)",
     "lch(53.59% 0.00 0.00)"},
    {254, 254, 254, "#fefefe", "rgb(254, 254, 254)", "hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)",
     "16711422", "oklch(99.70% 0.0000 0.00)", "oklab(99.70% 0.0000 0.0000)",
     "lab(99.65% 0.00 0.00)", "lch(99.65% 0.00 0.00)"},
    {1, 1, 1, "#010101", "rgb(1, 1, 1)", "hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "65793",
     "oklch(6.72% 0.0000 0.00)", "oklab(6.72% 0.0000 0.0000)", "lab(0.27% 0.00 0.00)",
     "lch(0.27% 0.00 0.00)"},
    // A red so dark it rounds to 0% lightness still has full saturation.
    {1, 0, 0, "#010000", "rgb(1, 0, 0)", "hsl(0, 100%, 0%)", "hsv(0, 100%, 0%)", "1"},
    {255, 128, 0, "#ff8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)", "hsv(30, 100%, 100%)",
     "33023"},
    // Hue exactly 0.5, 120.5 and 239.5 degrees: up to 1, 121 and 240.
    {120, 1, 0, "#780100", "rgb(120, 1, 0)", "hsl(1, 100%, 24%)", "hsv(1, 100%, 47%)", "376"},
    {0, 120, 1, "#007801", "rgb(0, 120, 1)", "hsl(121, 100%, 24%)", "hsv(121, 100%, 47%)", "96256"},
    {0, 1, 120, "#000178", "rgb(0, 1, 120)", "hsl(240, 100%, 24%)", "hsv(240, 100%, 47%)",
     "7864576"},
    // Hue exactly 359.5 rounds to 360, which is 0; 359.496 stays 359.
    {120, 0, 1, "#780001", "rgb(120, 0, 1)", "hsl(0, 100%, 24%)", "hsv(0, 100%, 47%)", "65656"},
    {119, 0, 1, "#770001", "rgb(119, 0, 1)", "hsl(359, 100%, 23%)", "hsv(359, 100%, 47%)", "65655"},
    // HSV saturation exactly 29/200 = 14.5% (14.4999... in floating point): up to 15.
    // HSL saturation 20.86% on the light side, where the room is 510 - max - min.
    {200, 171, 171, "#c8abab", "rgb(200, 171, 171)", "hsl(0, 21%, 73%)", "hsv(0, 15%, 78%)",
     "11250632"},
    // HSV saturation 5.490% down to 5 and 14.510% up to 15; lightness 97.25% and 92.75%.
    {255, 241, 241, "#fff1f1", "rgb(255, 241, 241)", "hsl(0, 100%, 97%)", "hsv(0, 5%, 100%)",
     "15856127"},
    {255, 218, 218, "#ffdada", "rgb(255, 218, 218)", "hsl(0, 100%, 93%)", "hsv(0, 15%, 100%)",
     "14342911"},
    // HSL saturation exactly 12.5% up to 13; HSV value 3.53% up to 4.
    {9, 8, 7, "#090807", "rgb(9, 8, 7)", "hsl(30, 13%, 3%)", "hsv(30, 22%, 4%)", "460809"},
    // Lightness 5.490% down to 5 and 4.510% up to 5.
    {14, 14, 14, "#0e0e0e", "rgb(14, 14, 14)", "hsl(0, 0%, 5%)", "hsv(0, 0%, 5%)", "921102"},
    {12, 11, 11, "#0c0b0b", "rgb(12, 11, 11)", "hsl(0, 4%, 5%)", "hsv(0, 8%, 5%)", "723724"},
};

TEST(ColourForms, WorkedColoursInEveryForm) {
    for (const WorkedColour& w : kWorkedColours) {
        const ColourValue v = colour::colourFromBytes(w.red, w.green, w.blue);
        SCOPED_TRACE(w.hex);
        EXPECT_EQ(colourFormText(ColourForm::CssHex, v), w.hex);
        EXPECT_EQ(colourFormText(ColourForm::CssRgb, v), w.rgb);
        EXPECT_EQ(colourFormText(ColourForm::CssHsl, v), w.hsl);
        EXPECT_EQ(colourFormText(ColourForm::Hsv, v), w.hsv);
        EXPECT_EQ(colourFormText(ColourForm::PlainDecimal, v), w.decimal);
        if (w.oklch) {
            EXPECT_EQ(colourFormText(ColourForm::CssOklch, v), w.oklch);
            EXPECT_EQ(colourFormText(ColourForm::CssOklab, v), w.oklab);
            EXPECT_EQ(colourFormText(ColourForm::CssLab, v), w.lab);
            EXPECT_EQ(colourFormText(ColourForm::CssLch, v), w.lch);
        }
    }
}

TEST(ColourForms, BitsAboveTheColourAreIgnoredInEveryForm) {
    const ColourValue painted = colour::colourFromBytes(18, 52, 86);
    for (ColourValue v : {painted | 0x01000000, static_cast<ColourValue>(painted | 0xFF000000)})
        for (ColourForm form : kColourForms)
            EXPECT_EQ(colourFormText(form, v), colourFormText(form, painted));
    EXPECT_EQ(colourFormText(ColourForm::PlainDecimal, colour::kNoColour), "16777215");
}

} // namespace
} // namespace tinctora::colour
