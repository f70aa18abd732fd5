// The Help menu of the main window.
#include "app/Form1.h"

namespace tinctora::app {

void Form1::pdf_Click() {}
void Form1::helon_Click() {}
void Form1::abo_Click() {}

} // namespace tinctora::app
