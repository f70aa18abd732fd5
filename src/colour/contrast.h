#pragma once

#include "colour/colour_value.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Is text in one colour readable on another? The measures designers are asked for: WCAG 2.2's
// contrast ratio and its pass marks, APCA's lightness contrast, the pair as people with the
// commonest colour-vision deficiencies see it, and the nearest text colour that would pass. All of
// them work on the painted colour, the low 24 bits of a value.
namespace tinctora::colour {

// WCAG's relative luminance, 0 for black to 1 for white.
double relativeLuminance(ColourValue v);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black and white, either order.
double contrastRatio(ColourValue a, ColourValue b);
// "4.47:1": two decimals rounded down, so a figure shown never reaches a pass mark that the ratio
// itself misses.
std::string contrastRatioText(double ratio);
// Whether a ratio reaches a pass mark. Floating-point sums miss exact figures by a hair (black on
// white may come out a whisker under 21); this and contrastRatioText allow for the hair alike, far
// below any difference two 8-bit colours make.
bool reachesRatio(double ratio, double minimum);

// One of WCAG's pass marks; a pair passes when its unrounded ratio is at least the minimum.
struct ContrastCriterion {
    const char* name;        // "AA normal text"
    const char* minimumText; // "4.5:1"
    double minimum;
};
inline constexpr std::array<ContrastCriterion, 5> kContrastCriteria = {{
    {"AA normal text", "4.5:1", 4.5},
    {"AA large text", "3:1", 3.0},
    {"AAA normal text", "7:1", 7.0},
    {"AAA large text", "4.5:1", 4.5},
    {"Non-text", "3:1", 3.0},
}};

// APCA-W3 0.0.98G-4g's lightness contrast Lc of text on a background: about 0 to 106 for dark
// text on a light background, 0 to -108 for light text on a dark one.
double apcaContrast(ColourValue text, ColourValue background);
// One decimal, half away from zero: "71.1", "-68.5".
std::string apcaText(double lc);

enum class ColourVision { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
inline constexpr std::array<ColourVision, 4> kColourVisions = {
    ColourVision::Protanopia, ColourVision::Deuteranopia, ColourVision::Tritanopia,
    ColourVision::Achromatopsia};
const char* colourVisionName(ColourVision vision); // "Protanopia"
// The colour as someone with that vision sees it: Machado, Oliveira and Fernandes' full-severity
// simulation for the three dichromacies, the grey of the same luminance for achromatopsia.
ColourValue simulatedColour(ColourVision vision, ColourValue v);

// The text colour nearest in OKLab lightness to `text`, of its OKLCH hue and chroma (less chroma
// only where sRGB has none so strong at that lightness), whose 8-bit value reaches `minimum` on
// the background. The text itself when it passes already; nothing when no lightness passes.
std::optional<ColourValue> nearestPassingText(ColourValue text, ColourValue background,
                                              double minimum);

// A level the suggestions are made for.
struct SuggestionLevel {
    const char* name; // "AA"
    double minimum;
};
inline constexpr std::array<SuggestionLevel, 2> kSuggestionLevels = {{{"AA", 4.5}, {"AAA", 7.0}}};

// "#777777": the colour as the report writes it.
std::string reportHex(ColourValue v);

// The whole report, every line ending in "\n":
//   Text #777777 on background #FFFFFF
//   Contrast 4.47:1
//   AA normal text (4.5:1): fails            (and the other four criteria)
//   APCA Lc 71.1
//   Protanopia: #777777 on #FFFFFF, 4.47:1   (and the other three visions)
//   Nearest text that passes AA: #767676 (4.54:1)
//   Nearest text that passes AAA: #595959 (7.00:1)
std::string contrastReport(ColourValue text, ColourValue background);

// What a user may type or paste into a colour field: "#RGB", "#RRGGBB", "RRGGBB" (any case),
// "rgb(r, g, b)" with components 0..255, or this program's decimal text ("05649426"), with blanks
// around it. Anything else, a decimal beyond 24 bits included, gives nothing.
std::optional<ColourValue> parseColourField(std::string_view text);

} // namespace tinctora::colour
