#include "about/program_icon.h"

// The pictures are compiled into a static library; naming its resource here makes the linker keep
// it, and with it every picture of resources/tinctora.qrc, from the start of the program.
static void registerProgramResources() {
    Q_INIT_RESOURCE(tinctora);
}

namespace tinctora::about {

QIcon programIcon() {
    registerProgramResources();
    QIcon icon;
    for (const char* file :
         {":/tinctora/icon.png", ":/tinctora/icon-32.png", ":/tinctora/icon-64.png"})
        icon.addFile(file);
    return icon;
}

} // namespace tinctora::about
