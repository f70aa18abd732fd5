#include "capture/sampling_aperture.h"

#include <algorithm>

namespace tinctora::capture {

int largerAperture(int size) {
    const auto next = std::upper_bound(kApertureSizes.begin(), kApertureSizes.end(), size);
    return next == kApertureSizes.end() ? kApertureSizes.back() : *next;
}

int smallerAperture(int size) {
    const auto atOrAbove = std::lower_bound(kApertureSizes.begin(), kApertureSizes.end(), size);
    return atOrAbove == kApertureSizes.begin() ? kApertureSizes.front() : *(atOrAbove - 1);
}

std::optional<colour::ColourValue> averageColour(const ScreenRect& square,
                                                 const PixelSource& pixelAt) {
    long long red = 0, green = 0, blue = 0, counted = 0;
    for (int y = square.y; y < square.yEnd(); ++y) {
        for (int x = square.x; x < square.xEnd(); ++x) {
            const std::optional<colour::ColourValue> c = pixelAt({x, y});
            if (!c)
                continue;
            red += colour::redByte(*c);
            green += colour::greenByte(*c);
            blue += colour::blueByte(*c);
            ++counted;
        }
    }
    if (counted == 0)
        return std::nullopt;
    // Integers only: a mean of exactly x.5 (two pixels, 0 and 255) must go up, not be seen as
    // x.4999...
    const auto mean = [counted](long long sum) {
        return static_cast<int>((2 * sum + counted) / (2 * counted));
    };
    return colour::colourFromBytes(mean(red), mean(green), mean(blue));
}

} // namespace tinctora::capture
