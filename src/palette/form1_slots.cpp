// The twelve saved-colour slots of the main window: emptying the row and adding to it.
#include "app/Form1.h"

#include <QLineEdit>

namespace tinctora::app {

void Form1::paintEmptySlot(int k) {
    Picture(k + 1)->setSystemColour(QPalette::Button);
}

void Form1::setSlot(int k, const std::string& text) {
    savedColors[static_cast<std::size_t>(k - 1)] = text;
    const std::optional<capture::ColourValue> value = capture::parseDecimalColour(text);
    // An empty slot always looks empty, even where a palette file put "0" (black) in slot 1.
    if (palette::isEmptySlot(text) || !value)
        paintEmptySlot(k);
    else
        Picture(k + 1)->setBackColor(*value);
}

void Form1::clearalls() {
    for (int k = 1; k <= palette::kSlotCount; ++k)
        setSlot(k, std::string(palette::kEmptySlot));
    paletteChanged = true;
}

void Form1::setcolor() {
    // Before the first sample the panel holds no colour: there is nothing to add.
    const std::optional<capture::ColourValue> shown = Picture1->backColor();
    const std::string text = Text1->text().toStdString();
    if (!shown || text.empty())
        return;
    for (int k = 1; k <= palette::kSlotCount; ++k) {
        if (!palette::isEmptySlot(savedColors[static_cast<std::size_t>(k - 1)]))
            continue;
        savedColors[static_cast<std::size_t>(k - 1)] = text;
        Picture(k + 1)->setBackColor(*shown);
        paletteChanged = true;
        return;
    }
}

} // namespace tinctora::app
