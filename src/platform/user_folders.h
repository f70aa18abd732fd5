#pragma once

#include <QString>

namespace tinctora::platform {

// A folder of the user's own for files kept while the program runs: no other user can put a
// file of theirs there under a fixed name. Each system has its own source file (posix/, win32/).
QString privateTemporaryFolder();

} // namespace tinctora::platform
