#pragma once

#include "colour/colour_value.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>

// A monitor's ICC display profile turned into the conversion of its pixel values into the sRGB
// values a colour-managed program started from: ICC relative colorimetric, through LittleCMS 2.
// The bytes of a profile come from the desktop and are untrusted: anything that is not a usable
// RGB profile is refused with the reason, never read past its end.
namespace tinctora::colour {

class DisplayProfileConversion;

// What reading the bytes of a profile gave: a conversion, or why there is none.
struct ProfileReading {
    std::shared_ptr<const DisplayProfileConversion> conversion; // set when the profile is usable
    std::string whyUnusable; // otherwise one sentence for the user ("It is empty.")
};

// Larger than any real display profile by far: bytes beyond it are refused unread.
inline constexpr std::size_t kMaxProfileBytes = 16 * 1024 * 1024;

ProfileReading readDisplayProfile(std::span<const unsigned char> bytes);

// Made once per profile and reused for every pixel: converting one value costs a table lookup.
class DisplayProfileConversion {
public:
    struct Engine; // LittleCMS's profile and transform, kept out of this header
    explicit DisplayProfileConversion(std::unique_ptr<Engine> engine, std::string description);
    ~DisplayProfileConversion();
    DisplayProfileConversion(const DisplayProfileConversion&) = delete;
    DisplayProfileConversion& operator=(const DisplayProfileConversion&) = delete;

    // The value as read on this monitor, as the sRGB value it shows (0x00BBGGRR both);
    // kNoColour stays kNoColour.
    ColourValue toSrgb(ColourValue asRead) const;
    // The profile's own name (its description tag) in UTF-8, as the desktop's colour tools
    // show it; empty when it has none.
    const std::string& description() const { return description_; }

private:
    std::unique_ptr<Engine> engine_;
    std::string description_;
};

} // namespace tinctora::colour
