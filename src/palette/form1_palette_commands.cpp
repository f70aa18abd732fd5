// The File menu: New, Open, Save and Save As for palette files.
#include "app/Form1.h"

namespace tinctora::app {

void Form1::nw_Click() {}
void Form1::ldpal_Click() {}
void Form1::svpal_Click() {
    saveallz();
}
void Form1::svas_Click() {}

} // namespace tinctora::app
