// The user's mouse work on the swatch row: recall, the popup menu, drops and Clear List.
#include "app/Form1.h"

#include <QCursor>
#include <QLineEdit>
#include <QMenu>

namespace tinctora::app {

void Form1::Picture_MouseMove(int n) {
    selectedSlot = QString::number(n - 1);
}

void Form1::Picture_MouseDown(int n, Qt::MouseButton button) {
    mnuTag = QString::number(n);
    if (button == Qt::RightButton)
        mnu->popup(QCursor::pos());
}

void Form1::Picture_Click(int) {
    // The swatch under the mouse: its mouse move named it in selectedSlot.
    CallBox();
}

void Form1::Picture_DragDrop(int n) {
    // Before the first sample the panel holds no colour, and an empty slot text would make the
    // palette file unreadable: such a drop stores nothing.
    const std::optional<capture::ColourValue> shown = Picture1->backColor();
    if (!shown || Text1->text().isEmpty())
        return;
    Command3_Click();
    savedColors[static_cast<std::size_t>(n - 2)] = Text1->text().toStdString();
    Picture(n)->setBackColor(*shown);
    paletteChanged = true;
}

void Form1::shom_Click() {
    selectedSlot = QString::number(mnuTag.toInt() - 1);
    CallBox();
    mnuTag = "0";
}

void Form1::del_Click() {
    paletteChanged = true;
    bool isNumber = false;
    const int n = mnuTag.toInt(&isNumber);
    // Only that slot empties: the others keep their places, and the next add fills this hole.
    if (isNumber && n >= 2 && n <= palette::kSlotCount + 1)
        setSlot(n - 1, std::string(palette::kEmptySlot));
    mnuTag = "0";
}

void Form1::cleall_Click() {
    if (platform.dialogs.message(this, "Clear Current Pallet?", "Clear",
                                 platform::MessageButtons::YesNo,
                                 platform::MessageIcon::Question) == platform::MessageAnswer::Yes)
        clearalls();
}

} // namespace tinctora::app
