#pragma once

#include <QIcon>

namespace tinctora::about {

// The program's icon in all its drawn sizes (16, 32 and 64 pixels).
QIcon programIcon();

} // namespace tinctora::about
