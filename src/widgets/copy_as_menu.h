#pragma once

#include "colour/colour_text.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QMenu;

namespace tinctora::widgets {

// What the value boxes' menus copy: the colour shown, or nothing before the first one.
using CurrentColour = std::function<std::optional<colour::ColourValue>()>;

// Qt's own menu for the box (Copy, Select All), then one "Copy ..." item per colour form whose
// caption is the text it copies, and last "CSS Name", which copies the name of the nearest CSS
// named colour ("firebrick"). Before the first colour the colour items are left out.
QMenu* copyAsMenu(QLineEdit& box, std::optional<colour::ColourValue> colour);

// The box's right-click menu becomes copyAsMenu() for the colour shown at that moment.
void offerCopyAs(QLineEdit& box, CurrentColour current);

// Puts the text on the clipboard, and where there is one (X11) in the primary selection too, so
// both Ctrl+V and the middle button paste it.
void copyToClipboards(const QString& text);

} // namespace tinctora::widgets
