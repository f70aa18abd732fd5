#pragma once

#include "colour/colour_text.h"
#include "platform/platform.h"

#include <optional>

namespace tinctora::capture {

// "Load Color": the desktop's colour dialog, opened on the colour shown. The chosen colour (black
// included), or nothing when the user cancelled or the dialog failed.
std::optional<colour::ColourValue> askForColour(platform::Dialogs& dialogs,
                                                colour::ColourValue shown);

} // namespace tinctora::capture
