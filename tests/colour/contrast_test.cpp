#include "colour/contrast.h"
#include "colour/css_colour_spaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace tinctora::colour {
namespace {

ColourValue hex(const char* rrggbb) {
    return *parseColourField(rrggbb);
}

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct WorkedPair {
    const char* text;
    const char* background;
    // Lines the report must hold, each exactly.
    std::vector<std::string> lines;
};

// Worked by hand (WCAG's and APCA's formulas, the simulation matrices), independently of the code.
const WorkedPair kWorkedPairs[] = {
    {"#777777",
     "#FFFFFF",
     {"Text #777777 on background #FFFFFF", "Contrast 4.47:1", "AA normal text (4.5:1): fails",
      "AA large text (3:1): passes", "AAA normal text (7:1): fails",
      "AAA large text (4.5:1): fails", "Non-text (3:1): passes", "APCA Lc 71.1",
      "Protanopia: #777777 on #FFFFFF, 4.47:1", "Deuteranopia: #777777 on #FFFFFF, 4.47:1",
      "Tritanopia: #777777 on #FFFFFF, 4.47:1", "Achromatopsia: #777777 on #FFFFFF, 4.47:1",
      "Nearest text that passes AA: #767676 (4.54:1)",
      "Nearest text that passes AAA: #595959 (7.00:1)"}},
    // The extremes: 21 exactly, not 20.99 from a floating-point hair; APCA's two polarities.
    {"#000000",
     "#FFFFFF",
     {"Contrast 21.00:1", "AAA normal text (7:1): passes", "APCA Lc 106.0",
      "Nearest text that passes AAA: #000000 passes already"}},
    {"#FFFFFF", "#000000", {"Contrast 21.00:1", "Non-text (3:1): passes", "APCA Lc -107.9"}},
    // Equal colours: no contrast at all; only darker greys pass AA and no grey reaches 7:1.
    {"#808080",
     "#808080",
     {"Contrast 1.00:1", "AA large text (3:1): fails", "Non-text (3:1): fails", "APCA Lc 0.0",
      "Nearest text that passes AA: #171717 (4.53:1)", "Nearest text that passes AAA: none"}},
    // Either side of 4.5: 4.49995 shows 4.49 and fails; 4.50017 shows 4.50 and passes.
    {"#6D6D6D",
     "#EFEFEF",
     {"Contrast 4.49:1", "AA normal text (4.5:1): fails", "AAA large text (4.5:1): fails",
      "AA large text (3:1): passes", "Nearest text that passes AA: #6C6C6C (4.56:1)",
      "Nearest text that passes AAA: #505050 (7.01:1)"}},
    {"#282828",
     "#8E8E8E",
     {"Contrast 4.50:1", "AA normal text (4.5:1): passes", "AAA large text (4.5:1): passes",
      "AAA normal text (7:1): fails", "Nearest text that passes AA: #282828 passes already"}},
    {"#595959", "#FFFFFF", {"Nearest text that passes AA: #595959 passes already"}},
    // APCA's published values.
    {"#888888", "#FFFFFF", {"APCA Lc 63.1"}},
    {"#FFFFFF", "#888888", {"APCA Lc -68.5"}},
    {"#000000", "#AAAAAA", {"APCA Lc 58.1"}},
    {"#112233", "#DDEEFF", {"APCA Lc 91.7"}},
    // Every simulation on saturated colours, clamped where the matrices leave sRGB.
    {"#FF0000",
     "#00FF00",
     {"Protanopia: #6D5F00 on #FFE500, 5.00:1", "Deuteranopia: #A39000 on #EFD63A, 2.19:1",
      "Tritanopia: #FF000F on #00F7D9, 2.91:1", "Achromatopsia: #7F7F7F on #DCDCDC, 2.91:1"}},
};

TEST(ContrastReport, WorkedPairs) {
    for (const WorkedPair& pair : kWorkedPairs) {
        SCOPED_TRACE(std::string(pair.text) + " on " + pair.background);
        const std::string report = contrastReport(hex(pair.text), hex(pair.background));
        ASSERT_FALSE(report.empty());
        EXPECT_EQ(report.back(), '\n');
        const std::vector<std::string> lines = linesOf(report);
        EXPECT_EQ(lines.size(), 14u);
        for (const std::string& line : pair.lines)
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end())
                << "missing: " << line << "\nin:\n"
                << report;
    }
    // The first pair's report line for line, in order.
    EXPECT_EQ(linesOf(contrastReport(hex("#777777"), hex("#FFFFFF"))), kWorkedPairs[0].lines);

    // A coloured text keeps its hue: the suggestion passes, close to the text's own hue, and is
    // darker on white.
    for (const char* text : {"#FF0000", "#6699FF", "#00A000", "#FF8000"}) {
        SCOPED_TRACE(text);
        const std::optional<ColourValue> nearest =
            nearestPassingText(hex(text), hex("#FFFFFF"), 4.5);
        ASSERT_TRUE(nearest);
        EXPECT_TRUE(reachesRatio(contrastRatio(*nearest, hex("#FFFFFF")), 4.5));
        const OkLch own = polarOf(oklabOf(hex(text)));
        const OkLch suggested = polarOf(oklabOf(*nearest));
        EXPECT_NEAR(suggested.hue, own.hue, 3.0);
        EXPECT_LT(suggested.lightness, own.lightness);
    }
}

TEST(ColourField, AcceptsTheFormsUsersTypeAndNothingElse) {
    const struct {
        const char* text;
        std::optional<ColourValue> value;
    } cases[] = {
        {"#777777", colourFromBytes(0x77, 0x77, 0x77)},
        {"  #12aBcD ", colourFromBytes(0x12, 0xAB, 0xCD)},
        {"#fA0", colourFromBytes(0xFF, 0xAA, 0x00)},
        {"12abcd", colourFromBytes(0x12, 0xAB, 0xCD)},
        {"123456", colourFromBytes(0x12, 0x34, 0x56)}, // six digits are a hex code
        {"rgb(18, 52, 86)", colourFromBytes(18, 52, 86)},
        {"RGB( 255 ,0,  7 )", colourFromBytes(255, 0, 7)},
        {"05649426", colourFromBytes(18, 52, 86)},
        {"16777215", colourFromBytes(255, 255, 255)},
        {"0", colourFromBytes(0, 0, 0)},
        {"", std::nullopt},
        {"#", std::nullopt},
        {"#12345", std::nullopt},
        {"#1234567", std::nullopt},
        {"#GGGGGG", std::nullopt},
        {"rgb(256, 0, 0)", std::nullopt},
        {"rgb(1, 2)", std::nullopt},
        {"rgb(1, 2, 3) x", std::nullopt},
        {"rgb(1, -2, 3)", std::nullopt},
        {"16777216", std::nullopt}, // beyond 24 bits
        {"-1", std::nullopt},
        {"red", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseColourField(c.text), c.value);
    }
}

} // namespace
} // namespace tinctora::colour
