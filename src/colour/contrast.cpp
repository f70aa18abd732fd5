#include "colour/contrast.h"
#include "colour/colour_text.h"
#include "colour/css_colour_spaces.h"
#include "colour/linear_srgb.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace tinctora::colour {

namespace {

using Vector = Vector3;
using Matrix = Matrix3;

// The sRGB transfer function done again, rounded to a byte.
int byteOf(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(std::clamp(encoded, 0.0, 1.0) * 255.0));
}

ColourValue valueOfLinear(const Vector& rgb) {
    return colourFromBytes(byteOf(rgb[0]), byteOf(rgb[1]), byteOf(rgb[2]));
}

// Machado, Oliveira and Fernandes (2009), severity 1.0, on linear sRGB.
constexpr Matrix kProtanopia{{
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
}};
constexpr Matrix kDeuteranopia{{
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
}};
constexpr Matrix kTritanopia{{
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
}};

// OKLab back to linear sRGB (Ottosson's inverse matrices; the forward way is oklabOf's).
Vector linearRgbOfOklab(double lightness, double a, double b) {
    const double l = lightness + 0.3963377774 * a + 0.2158037573 * b;
    const double m = lightness - 0.1055613458 * a - 0.0638541728 * b;
    const double s = lightness - 0.0894841775 * a - 1.2914855480 * b;
    const double l3 = l * l * l;
    const double m3 = m * m * m;
    const double s3 = s * s * s;
    return {4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3,
            -1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3,
            -0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076147010 * s3};
}

bool insideSrgb(const Vector& rgb) {
    constexpr double slack = 1e-9;
    return std::all_of(rgb.begin(), rgb.end(),
                       [](double c) { return c >= -slack && c <= 1.0 + slack; });
}

// The 8-bit colour of this OKLCH lightness, hue and at most this chroma: the strongest chroma up
// to it that sRGB can show at that lightness.
ColourValue colourAtLightness(double lightness, double chroma, double hueRadians) {
    const double cosHue = std::cos(hueRadians);
    const double sinHue = std::sin(hueRadians);
    const auto at = [&](double c) { return linearRgbOfOklab(lightness, c * cosHue, c * sinHue); };
    Vector rgb = at(chroma);
    if (!insideSrgb(rgb)) {
        double inside = 0.0;
        double outside = chroma;
        for (int i = 0; i < 24; ++i) {
            const double middle = (inside + outside) / 2;
            (insideSrgb(at(middle)) ? inside : outside) = middle;
        }
        rgb = at(inside);
    }
    return valueOfLinear(rgb);
}

// Far below the smallest change of ratio one 8-bit step can make.
constexpr double kRatioHair = 1e-9;

} // namespace

double relativeLuminance(ColourValue v) {
    const Vector rgb = linearRgbOf(v);
    return 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
}

double contrastRatio(ColourValue a, ColourValue b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string contrastRatioText(double ratio) {
    const long long hundredths = static_cast<long long>(std::floor((ratio + kRatioHair) * 100.0));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%02lld:1", hundredths / 100, hundredths % 100);
    return buffer;
}

double apcaContrast(ColourValue text, ColourValue background) {
    // The screen luminance APCA estimates: a plain 2.4 power, no linear part near black.
    const auto screenLuminance = [](ColourValue v) {
        const auto power = [](int byte) { return std::pow(byte / 255.0, 2.4); };
        return 0.2126729 * power(redByte(v)) + 0.7151522 * power(greenByte(v)) +
               0.0721750 * power(blueByte(v));
    };
    // Near black the screen's flare lifts what the eye sees: a soft clamp.
    const auto clamped = [](double y) {
        constexpr double threshold = 0.022;
        return y > threshold ? y : y + std::pow(threshold - y, 1.414);
    };
    const double textY = clamped(screenLuminance(text));
    const double backgroundY = clamped(screenLuminance(background));
    if (std::abs(backgroundY - textY) < 0.0005)
        return 0.0;
    constexpr double scale = 1.14;
    constexpr double offset = 0.027;
    constexpr double lowClip = 0.1;
    double lc;
    if (backgroundY > textY) { // dark text on a light background
        const double sapc = (std::pow(backgroundY, 0.56) - std::pow(textY, 0.57)) * scale;
        lc = sapc < lowClip ? 0.0 : sapc - offset;
    } else {
        const double sapc = (std::pow(backgroundY, 0.65) - std::pow(textY, 0.62)) * scale;
        lc = sapc > -lowClip ? 0.0 : sapc + offset;
    }
    return lc * 100.0;
}

bool reachesRatio(double ratio, double minimum) {
    return ratio + kRatioHair >= minimum;
}

std::string apcaText(double lc) {
    const long long tenths = std::llround(lc * 10.0);
    const long long magnitude = std::llabs(tenths);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%lld", tenths < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    return buffer;
}

const char* colourVisionName(ColourVision vision) {
    switch (vision) {
    case ColourVision::Protanopia:
        return "Protanopia";
    case ColourVision::Deuteranopia:
        return "Deuteranopia";
    case ColourVision::Tritanopia:
        return "Tritanopia";
    case ColourVision::Achromatopsia:
        break;
    }
    return "Achromatopsia";
}

ColourValue simulatedColour(ColourVision vision, ColourValue v) {
    const Vector rgb = linearRgbOf(v);
    switch (vision) {
    case ColourVision::Protanopia:
        return valueOfLinear(times(kProtanopia, rgb));
    case ColourVision::Deuteranopia:
        return valueOfLinear(times(kDeuteranopia, rgb));
    case ColourVision::Tritanopia:
        return valueOfLinear(times(kTritanopia, rgb));
    case ColourVision::Achromatopsia:
        break;
    }
    const double y = relativeLuminance(v);
    return valueOfLinear({y, y, y});
}

std::optional<ColourValue> nearestPassingText(ColourValue text, ColourValue background,
                                              double minimum) {
    const auto passes = [&](ColourValue v) {
        return reachesRatio(contrastRatio(v, background), minimum);
    };
    text &= 0xFFFFFF;
    if (passes(text))
        return text;
    const OkLch own = polarOf(oklabOf(text));
    const double hue = own.hue * std::numbers::pi / 180.0;
    // Fine enough to meet every grey, whose lightness steps are at least 0.0026 apart.
    constexpr double step = 0.0005;
    // The first passing colour going darker and going lighter; the nearer of the two wins.
    std::optional<ColourValue> found[2];
    for (int direction = 0; direction < 2; ++direction) {
        const double sign = direction == 0 ? -1.0 : 1.0;
        for (int k = 1;; ++k) {
            const double lightness = std::clamp(own.lightness + sign * k * step, 0.0, 1.0);
            const ColourValue candidate = colourAtLightness(lightness, own.chroma, hue);
            if (passes(candidate)) {
                found[direction] = candidate;
                break;
            }
            if (lightness == 0.0 || lightness == 1.0)
                break;
        }
    }
    if (!found[0] || !found[1])
        return found[0] ? found[0] : found[1];
    const auto distance = [&](ColourValue v) {
        return std::abs(oklabOf(v).lightness - own.lightness);
    };
    return distance(*found[1]) < distance(*found[0]) ? found[1] : found[0];
}

std::string reportHex(ColourValue v) {
    return "#" + hexText(v);
}

std::string contrastReport(ColourValue text, ColourValue background) {
    const double ratio = contrastRatio(text, background);
    std::string report = "Text " + reportHex(text) + " on background " + reportHex(background) +
                         "\nContrast " + contrastRatioText(ratio) + "\n";
    for (const ContrastCriterion& c : kContrastCriteria)
        report += std::string(c.name) + " (" + c.minimumText +
                  "): " + (reachesRatio(ratio, c.minimum) ? "passes" : "fails") + "\n";
    report += "APCA Lc " + apcaText(apcaContrast(text, background)) + "\n";
    for (ColourVision vision : kColourVisions) {
        const ColourValue seenText = simulatedColour(vision, text);
        const ColourValue seenBackground = simulatedColour(vision, background);
        report += std::string(colourVisionName(vision)) + ": " + reportHex(seenText) + " on " +
                  reportHex(seenBackground) + ", " +
                  contrastRatioText(contrastRatio(seenText, seenBackground)) + "\n";
    }
    for (const SuggestionLevel& level : kSuggestionLevels) {
        report += std::string("Nearest text that passes ") + level.name + ": ";
        const std::optional<ColourValue> nearest =
            nearestPassingText(text, background, level.minimum);
        if (!nearest)
            report += "none";
        else if (*nearest == (text & 0xFFFFFF))
            report += reportHex(*nearest) + " passes already";
        else
            report += reportHex(*nearest) + " (" +
                      contrastRatioText(contrastRatio(*nearest, background)) + ")";
        report += "\n";
    }
    return report;
}

std::optional<ColourValue> parseColourField(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    const auto hexDigit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    const auto allHex = [&](std::string_view digits) {
        return std::all_of(digits.begin(), digits.end(), [&](char c) { return hexDigit(c) >= 0; });
    };
    const auto sixDigits = [&](std::string_view d) {
        return colourFromBytes(hexDigit(d[0]) * 16 + hexDigit(d[1]),
                               hexDigit(d[2]) * 16 + hexDigit(d[3]),
                               hexDigit(d[4]) * 16 + hexDigit(d[5]));
    };
    if (!text.empty() && text.front() == '#') {
        const std::string_view digits = text.substr(1);
        if (!allHex(digits))
            return std::nullopt;
        if (digits.size() == 3)
            return colourFromBytes(hexDigit(digits[0]) * 17, hexDigit(digits[1]) * 17,
                                   hexDigit(digits[2]) * 17);
        if (digits.size() == 6)
            return sixDigits(digits);
        return std::nullopt;
    }
    // Six hex digits are a hex code even when they are all decimal digits ("123456"): the
    // program writes its decimal texts with at least eight.
    if (text.size() == 6 && allHex(text))
        return sixDigits(text);
    if (text.size() > 4 && (text[0] == 'r' || text[0] == 'R') &&
        (text[1] == 'g' || text[1] == 'G') && (text[2] == 'b' || text[2] == 'B')) {
        std::string_view rest = text.substr(3);
        const auto skipBlanks = [&] {
            while (!rest.empty() && blank(rest.front()))
                rest.remove_prefix(1);
        };
        const auto expect = [&](char c) {
            skipBlanks();
            if (rest.empty() || rest.front() != c)
                return false;
            rest.remove_prefix(1);
            return true;
        };
        const auto component = [&]() -> std::optional<int> {
            skipBlanks();
            int value = 0;
            std::size_t digits = 0;
            while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
                value = value * 10 + (rest[digits] - '0');
                if (value > 255)
                    return std::nullopt;
                ++digits;
            }
            if (digits == 0)
                return std::nullopt;
            rest.remove_prefix(digits);
            return value;
        };
        if (!expect('('))
            return std::nullopt;
        const std::optional<int> red = component();
        if (!red || !expect(','))
            return std::nullopt;
        const std::optional<int> green = component();
        if (!green || !expect(','))
            return std::nullopt;
        const std::optional<int> blue = component();
        if (!blue || !expect(')'))
            return std::nullopt;
        skipBlanks();
        if (!rest.empty())
            return std::nullopt;
        return colourFromBytes(*red, *green, *blue);
    }
    const std::optional<ColourValue> decimal = parseDecimalColour(text);
    if (!decimal || *decimal < 0 || *decimal > 0xFFFFFF)
        return std::nullopt;
    return decimal;
}

} // namespace tinctora::colour
