#include "colour/colour_text.h"

#include <gtest/gtest.h>

namespace tinctora::colour {
namespace {

struct WorkedValue {
    ColourValue value;
    const char* padded;
    const char* hex;
    const char* triple;
    RgbComponents rgb;
};

// The colours every user meets, and -1 (a failed read), in all text forms.
const WorkedValue kWorkedValues[] = {
    {0, "00000000", "000000", "000, 000, 000", {0, 0, 0}},
    {255, "00000255", "FF0000", "255, 000, 000", {255, 0, 0}},
    {65280, "00065280", "00FF00", "000, 255, 000", {0, 255, 0}},
    {16711680, "16711680", "0000FF", "000, 000, 255", {0, 0, 255}},
    {16777215, "16777215", "FFFFFF", "255, 255, 255", {255, 255, 255}},
    {33023, "00033023", "FF8000", "255, 128, 000", {255, 128, 0}},
    {1193046, "01193046", "563412", "086, 052, 018", {86, 52, 18}},
    {-1, "-00000001", "FFFFFF", "-001, -001, 255", {-1, -1, 255}},
};

TEST(ColourTextForms, WorkedValuesInEveryForm) {
    for (const WorkedValue& w : kWorkedValues) {
        SCOPED_TRACE(w.value);
        EXPECT_EQ(paddedDecimalText(w.value), w.padded);
        EXPECT_EQ(hexText(w.value), w.hex);
        const RgbComponents rgb = rgbComponents(w.value);
        EXPECT_EQ(rgb.red, w.rgb.red);
        EXPECT_EQ(rgb.green, w.rgb.green);
        EXPECT_EQ(rgb.blue, w.rgb.blue);
        EXPECT_EQ(rgbTripleText(rgb), w.triple);
    }
}

TEST(ColourTextForms, PlainColoursHaveFixedWidths) {
    for (ColourValue v : {0, 1, 255, 256, 65535, 65536, 0x7F7F7F, 0xFFFFFF}) {
        EXPECT_EQ(paddedDecimalText(v).size(), 8u) << v;
        EXPECT_EQ(hexText(v).size(), 6u) << v;
        EXPECT_EQ(rgbTripleText(rgbComponents(v)).size(), 13u) << v;
    }
}

TEST(ColourTextForms, HexIgnoresTheTopByteAndPutsRedFirst) {
    EXPECT_EQ(hexText(0x01000000), "000000");
    EXPECT_EQ(hexText(static_cast<ColourValue>(0x8000000F)), "0F0000");
    EXPECT_EQ(hexText(0x00ABCDEF), "EFCDAB");
}

TEST(ColourTextForms, PlainDecimalHasNoPadding) {
    EXPECT_EQ(plainDecimalText(255), "255");
    EXPECT_EQ(plainDecimalText(0), "0");
    EXPECT_EQ(plainDecimalText(-1), "-1");
}

TEST(ColourTextForms, NegativeValuesKeepTheirSignInRedAndGreen) {
    const RgbComponents rgb = rgbComponents(-256); // 0xFFFFFF00
    EXPECT_EQ(rgb.red, 0);
    EXPECT_EQ(rgb.green, -1);
    EXPECT_EQ(rgb.blue, 255);
    EXPECT_EQ(rgbComponents(INT32_MIN).blue, 0);
}

TEST(ParseDecimalColour, AcceptsTheFormsThisProgramStores) {
    EXPECT_EQ(parseDecimalColour("00000255"), 255);
    EXPECT_EQ(parseDecimalColour("255"), 255);
    EXPECT_EQ(parseDecimalColour("-00000001"), -1);
    EXPECT_EQ(parseDecimalColour("0"), 0);
    EXPECT_EQ(parseDecimalColour(" 16777215 "), 16777215);
    EXPECT_EQ(parseDecimalColour("+42"), 42);
    EXPECT_EQ(parseDecimalColour("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimalColour("-2147483648"), INT32_MIN);
}

TEST(ParseDecimalColour, RejectsWhatIsNotAThirtyTwoBitInteger) {
    for (const char* text : {"", " ", "-", "1.5", "&HFF", "0x10", "12a", "a12", "2147483648",
                             "-2147483649", "99999999999999999999999", "1 2"})
        EXPECT_FALSE(parseDecimalColour(text).has_value()) << '"' << text << '"';
}

} // namespace
} // namespace tinctora::colour
