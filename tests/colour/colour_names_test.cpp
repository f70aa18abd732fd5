#include "colour/colour_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tinctora::colour {
namespace {

ColourValue css(int rgb) {
    return colourFromBytes(rgb >> 16, rgb >> 8, rgb);
}

struct NamedCase {
    int rgb; // 0xRRGGBB
    const char* text;
    const char* why;
};

// The near names were worked with an independent OKLab (Ottosson's direct matrix from linear
// sRGB); each of the last four is named otherwise by the distance in sRGB, in linear sRGB and in
// CIE Lab, and lies clear of its second-nearest name.
const NamedCase kCases[] = {
    {0xB22222, "firebrick", "exact"},
    {0x663399, "rebeccapurple", "the newest name"},
    {0x000000, "black", "black"},
    {0xFFFFFF, "white", "white"},
    {0x00FFFF, "aqua", "aqua before cyan"},
    {0xFF00FF, "fuchsia", "fuchsia before magenta"},
    {0x808080, "gray", "gray before grey"},
    {0xA9A9A9, "darkgray", "darkgray before darkgrey"},
    {0x2F4F4F, "darkslategray", "darkslategray before darkslategrey"},
    {0xB22223, "near firebrick", "one step off"},
    {0x010101, "near black", "next to black"},
    {0xFEFEFE, "near white", "next to white"},
    {0x7F7F7F, "near gray", "a tie between synonyms goes to the first"},
    {0x00FFFE, "near aqua", "a tie between synonyms goes to the first"},
    {0x778898, "near lightslategray", "a tie between synonyms goes to the first"},
    {0x0F66FE, "near royalblue", "sRGB says dodgerblue, CIE Lab mediumslateblue"},
    {0x1E2133, "near midnightblue", "sRGB says darkslategray, CIE Lab black"},
    {0xCAC825, "near yellowgreen", "sRGB says goldenrod, CIE Lab gold"},
    {0xA14C8C, "near mediumvioletred", "sRGB says gray, CIE Lab palevioletred"},
};

TEST(ColourNames, NearestCssNameInOklab) {
    for (const NamedCase& c : kCases)
        EXPECT_EQ(colourNameText(css(c.rgb)), c.text) << c.why;
    // Only the painted colour counts, as in every other form.
    EXPECT_EQ(colourNameText(css(0xB22222) | 0x7F000000), "firebrick");
    EXPECT_EQ(spokenColour(css(0xB22222)), "#B22222, firebrick");
    EXPECT_EQ(spokenColour(css(0x0F66FE)), "#0F66FE, near royalblue");

    // The table: CSS Color 4's 148 names, in order, each naming its own value (or the earlier
    // name of that value).
    const auto named = cssNamedColours();
    ASSERT_EQ(named.size(), 148u);
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(named[i - 1].name, named[i].name);
        }
        const auto first = std::find_if(named.begin(), named.end(), [&](const NamedColour& n) {
            return n.rgb == named[i].rgb;
        });
        const ColourName n = nearestCssName(css(named[i].rgb));
        EXPECT_TRUE(n.exact) << named[i].name;
        EXPECT_EQ(n.name, first->name) << named[i].name;
    }
}

} // namespace
} // namespace tinctora::colour
