#include "capture/colour_dialog.h"

#include <cstdint>

namespace tinctora::capture {

namespace {

// A colour value in the high byte names no plain colour: the dialog then opens with its own
// default instead of a made-up colour.
constexpr std::uint32_t kNotPlainColourBits = 0xFF000000u;

} // namespace

std::optional<colour::ColourValue> askForColour(platform::Dialogs& dialogs,
                                                colour::ColourValue shown) {
    // Custom colours picked in one call are not kept for the next.
    const colour::ColourValue customColors[16] = {};
    colour::ColourValue initial = 0;
    if (shown != 0)
        initial = (static_cast<std::uint32_t>(shown) & kNotPlainColourBits) == 0
                      ? shown
                      : colour::kNoColour;
    const colour::ColourValue chosen = dialogs.chooseColour(initial, customColors);
    if (chosen == colour::kNoColour)
        return std::nullopt;
    return chosen;
}

} // namespace tinctora::capture
