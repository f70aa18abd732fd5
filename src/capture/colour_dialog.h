#pragma once

#include "colour/colour_text.h"
#include "platform/platform.h"

#include <optional>

namespace tinctora::capture {

// "Load Color": the desktop's colour dialog, opened on the colour shown. The chosen colour, or
// nothing when the user cancelled or chose black (which the dialog cannot tell from "nothing
// chosen").
std::optional<colour::ColourValue> askForColour(platform::Dialogs& dialogs,
                                                colour::ColourValue shown);

} // namespace tinctora::capture
