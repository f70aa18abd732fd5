// Any bytes at all as a monitor's display profile (the desktop hands them over unchecked): reading
// must neither crash nor read past the end, and must give either a conversion or a reason.
#include "fuzz_check.h"

#include "colour/display_profile.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace tinctora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const colour::ProfileReading reading =
        colour::readDisplayProfile(std::span<const unsigned char>(data, size));
    FUZZ_CHECK(reading.conversion ? reading.whyUnusable.empty() : !reading.whyUnusable.empty());
    if (!reading.conversion)
        return 0;
    FUZZ_CHECK(reading.conversion->description().size() <= 4 * 200);
    // Every value converts to a colour, never to "no colour" or bits beyond blue.
    for (colour::ColourValue v : {0x000000, 0xFFFFFF, 0x0D36B0, 0x808080, 0x00FF00}) {
        const colour::ColourValue out = reading.conversion->toSrgb(v);
        FUZZ_CHECK(out >= 0 && out <= 0xFFFFFF);
    }
    FUZZ_CHECK(reading.conversion->toSrgb(colour::kNoColour) == colour::kNoColour);
    return 0;
}
