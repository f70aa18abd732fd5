// "Load Color", recall of a saved colour, and the copy-ready text boxes.
#include "app/Form1.h"

namespace tinctora::app {

void Form1::Command2_Click() {}

std::int32_t Form1::ShowColorDialog(std::int32_t, bool, std::int32_t) {
    return capture::kNoColour;
}

void Form1::CallBox() {}

void Form1::HighlightText() {}

void Form1::Text_Click(int) {}

void Form1::Text_GotFocus(int) {}

} // namespace tinctora::app
