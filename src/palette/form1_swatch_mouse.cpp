// The user's mouse work on the swatch row: recall, the popup menu, drops and Clear List.
#include "app/Form1.h"

namespace tinctora::app {

void Form1::Picture_MouseMove(int) {}
void Form1::Picture_MouseDown(int, Qt::MouseButton) {}
void Form1::Picture_Click(int) {}
void Form1::Picture_DragDrop(int) {}
void Form1::shom_Click() {}
void Form1::del_Click() {}
void Form1::cleall_Click() {}

} // namespace tinctora::app
