#include "palette/gimp_palette.h"

#include "colour/colour_forms.h"
#include "colour/colour_text.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace tinctora::palette {

namespace {

constexpr std::string_view kMagicLine = "GIMP Palette";
constexpr std::string_view kNameHeader = "Name:";
constexpr std::string_view kColumnsHeader = "Columns:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isControl(unsigned char ch) {
    return ch < 0x20 || ch == 0x7F;
}

std::string cleanName(std::string_view name) {
    name = trimmed(name);
    if (name.size() > kMaxGimpNameLength) {
        // Cut before the character that does not fit whole: a continuation byte (10xxxxxx)
        // never starts a character.
        std::size_t cut = kMaxGimpNameLength;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name = name.substr(0, cut);
    }
    std::string out(name);
    for (char& ch : out)
        if (isControl(static_cast<unsigned char>(ch)))
            ch = ' ';
    return std::string(trimmed(out));
}

// Lines as GIMP and Inkscape end them (LF, CR LF, or CR alone from old Mac editors), counted from
// 1, never longer than kMaxGimpLineLength and never more than kMaxGimpReadBytes in all.
class LineSource {
public:
    explicit LineSource(std::istream& in) : in_(in) {}

    enum class Outcome { Line, End, TooLong, TooLarge };

    Outcome next(std::string& line) {
        line.clear();
        if (in_.peek() == std::char_traits<char>::eof())
            return Outcome::End;
        ++number_;
        for (;;) {
            const int ch = in_.get();
            if (ch == std::char_traits<char>::eof())
                return Outcome::Line;
            // Line ends count too: a file of nothing but blank lines ends as well.
            if (++consumed_ > kMaxGimpReadBytes)
                return Outcome::TooLarge;
            if (ch == '\n')
                return Outcome::Line;
            if (ch == '\r') {
                if (in_.peek() == '\n') {
                    in_.get();
                    ++consumed_;
                }
                return Outcome::Line;
            }
            if (line.size() == kMaxGimpLineLength)
                return Outcome::TooLong;
            line.push_back(static_cast<char>(ch));
        }
    }

    int number() const { return number_; }

private:
    std::istream& in_;
    std::size_t consumed_ = 0;
    int number_ = 0;
};

// Leading digits of `text` (an optional sign first) as a number, clamped far outside 0..255 so
// that no length of digits overflows. Empty when `text` does not start with a number.
std::optional<int> leadingNumber(std::string_view& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    const std::size_t firstDigit = i;
    int value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = std::min(value * 10 + (text[i] - '0'), 100000);
        ++i;
    }
    if (i == firstDigit)
        return std::nullopt;
    text.remove_prefix(i);
    return negative ? -value : value;
}

struct ColourLine {
    bool isColour = false;
    bool inRange = true;
    colour::ColourValue value = 0;
};

// "R G B" with blanks or tabs between, then nothing or a blank and a name.
ColourLine parseColourLine(std::string_view text) {
    int components[3];
    for (int& component : components) {
        text = trimmed(text);
        const std::optional<int> number = leadingNumber(text);
        if (!number || (!text.empty() && !isBlank(text.front())))
            return {};
        component = *number;
    }
    ColourLine line;
    line.isColour = true;
    for (int component : components)
        line.inRange = line.inRange && component >= 0 && component <= 255;
    if (line.inRange)
        line.value = colour::colourFromBytes(components[0], components[1], components[2]);
    return line;
}

GimpReadResult failed(GimpReadResult result, int line, GimpProblem problem) {
    result.error = GimpReadError{line, problem};
    return result;
}

} // namespace

std::string writeGimpPalette(const SlotTexts& row, std::string_view name) {
    std::string out = std::string(kMagicLine) + "\n";
    out += std::string(kNameHeader) + " " + cleanName(name) + "\n";
    out += std::string(kColumnsHeader) + " " + std::to_string(kSlotCount) + "\n";
    for (const std::string& text : row) {
        if (isEmptySlot(text))
            continue;
        const std::optional<colour::ColourValue> value = colour::parseDecimalColour(text);
        if (!value)
            continue;
        char line[64];
        std::snprintf(line, sizeof line, "%3d %3d %3d\t%s\n", colour::redByte(*value),
                      colour::greenByte(*value), colour::blueByte(*value),
                      colour::colourFormText(colour::ColourForm::CssHex, *value).c_str());
        out += line;
    }
    return out;
}

GimpReadResult readGimpPalette(std::istream& in) {
    GimpReadResult result;
    LineSource lines(in);
    std::string line;
    bool magicSeen = false;
    bool nameSeen = false;
    while (result.colours < kSlotCount) {
        const LineSource::Outcome outcome = lines.next(line);
        if (outcome == LineSource::Outcome::End)
            break;
        if (outcome == LineSource::Outcome::TooLong)
            return failed(result, lines.number(), GimpProblem::LineTooLong);
        if (outcome == LineSource::Outcome::TooLarge)
            return failed(result, lines.number(), GimpProblem::TooLarge);

        std::string_view text = line;
        if (!magicSeen) {
            if (text.starts_with(kByteOrderMark))
                text.remove_prefix(kByteOrderMark.size());
            if (trimmed(text) != kMagicLine)
                return failed(result, lines.number(), GimpProblem::MissingMagicLine);
            magicSeen = true;
            continue;
        }
        text = trimmed(text);
        if (text.empty() || text.front() == '#' || text.starts_with(kColumnsHeader))
            continue;
        if (text.starts_with(kNameHeader)) {
            if (!nameSeen)
                result.name = cleanName(text.substr(kNameHeader.size()));
            nameSeen = true;
            continue;
        }
        const ColourLine colour = parseColourLine(text);
        if (!colour.isColour)
            return failed(result, lines.number(), GimpProblem::UnknownLine);
        if (!colour.inRange)
            return failed(result, lines.number(), GimpProblem::ComponentOutOfRange);
        result.texts[static_cast<std::size_t>(result.colours++)] =
            colour::paddedDecimalText(colour.value);
    }
    if (!magicSeen)
        return failed(result, 1, GimpProblem::MissingMagicLine);
    return result;
}

GimpReadResult readGimpPalette(std::string_view content) {
    std::istringstream in{std::string(content)};
    return readGimpPalette(in);
}

std::string gimpProblemText(GimpProblem problem) {
    switch (problem) {
    case GimpProblem::MissingMagicLine:
        return "The file does not begin with the line \"GIMP Palette\".";
    case GimpProblem::ComponentOutOfRange:
        return "A red, green or blue value is not a number from 0 to 255.";
    case GimpProblem::UnknownLine:
        return "The line is neither a comment, a header nor a colour (red, green and blue "
               "numbers).";
    case GimpProblem::LineTooLong:
        return "The line is longer than " + std::to_string(kMaxGimpLineLength) + " characters.";
    case GimpProblem::TooLarge:
        return "The file is too large to be a palette.";
    }
    return {};
}

} // namespace tinctora::palette
