#include "colour/colour_text.h"

#include <cstdio>

namespace tinctora::colour {

namespace {

// Zero-fills the magnitude to `width` digits and puts "-" in front of a negative number,
// the way a "000..." format pattern does.
std::string zeroFilled(std::int64_t v, int width) {
    char buffer[32];
    const std::int64_t magnitude = v < 0 ? -v : v;
    std::snprintf(buffer, sizeof buffer, "%s%0*lld", v < 0 ? "-" : "", width,
                  static_cast<long long>(magnitude));
    return buffer;
}

} // namespace

std::string paddedDecimalText(ColourValue v) {
    return zeroFilled(v, 8);
}

std::string plainDecimalText(ColourValue v) {
    return std::to_string(v);
}

std::string hexText(ColourValue v) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const auto bits = static_cast<std::uint32_t>(v);
    std::string out(6, '0');
    const int bytes[3] = {redByte(static_cast<ColourValue>(bits)),
                          greenByte(static_cast<ColourValue>(bits)),
                          blueByte(static_cast<ColourValue>(bits))};
    for (int i = 0; i < 3; ++i) {
        out[static_cast<std::size_t>(2 * i)] = digits[bytes[i] >> 4];
        out[static_cast<std::size_t>(2 * i + 1)] = digits[bytes[i] & 0xF];
    }
    return out;
}

RgbComponents rgbComponents(ColourValue v) {
    const std::int64_t wide = v;
    // Truncating division and remainder keep the sign of the dividend, so -1 gives -1, -1, 255.
    const int red = static_cast<int>(wide % 256);
    const std::int64_t withoutRed = wide - (wide & 0xFF);
    const int green = static_cast<int>((withoutRed / 256) % 256);
    const int blue = static_cast<int>((wide & 0x00FF0000) / 65536);
    return {red, green, blue};
}

std::string rgbTripleText(const RgbComponents& c) {
    return zeroFilled(c.red, 3) + ", " + zeroFilled(c.green, 3) + ", " + zeroFilled(c.blue, 3);
}

std::optional<ColourValue> parseDecimalColour(std::string_view text) {
    auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 40)
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (ch - '0');
        if (magnitude > 2147483648LL)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<ColourValue>(value);
}

} // namespace tinctora::colour
