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
};

// Worked by hand with exact fractions; the notes say which rounding each row pins down.
const WorkedColour kWorkedColours[] = {
    {18, 52, 86, "#123456", "rgb(18, 52, 86)", "hsl(210, 65%, 20%)", "hsv(210, 79%, 34%)",
     "5649426"},
    {0, 0, 0, "#000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "0"},
    {255, 255, 255, "#ffffff", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)",
     "16777215"},
    {255, 0, 0, "#ff0000", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "255"},
    {255, 255, 0, "#ffff00", "rgb(255, 255, 0)", "hsl(60, 100%, 50%)", "hsv(60, 100%, 100%)",
     "65535"},
    {0, 255, 0, "#00ff00", "rgb(0, 255, 0)", "hsl(120, 100%, 50%)", "hsv(120, 100%, 100%)",
     "65280"},
    {0, 255, 255, "#00ffff", "rgb(0, 255, 255)", "hsl(180, 100%, 50%)", "hsv(180, 100%, 100%)",
     "16776960"},
    {0, 0, 255, "#0000ff", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)", "hsv(240, 100%, 100%)",
     "16711680"},
    {255, 0, 255, "#ff00ff", "rgb(255, 0, 255)", "hsl(300, 100%, 50%)", "hsv(300, 100%, 100%)",
     "16711935"},
    // Greys: hue 0, lightness 50.196 and 99.608 and 0.392 percent.
    {128, 128, 128, "#808080", "rgb(128, 128, 128)", "hsl(0, 0%, 50%)", "hsv(0, 0%, 50%)",
     "8421504"},
    {254, 254, 254, "#fefefe", "rgb(254, 254, 254)", "hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)",
     "16711422"},
    {1, 1, 1, "#010101", "rgb(1, 1, 1)", "hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "65793"},
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
