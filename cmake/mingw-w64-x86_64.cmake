# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TINCTORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TINCTORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINCTORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TINCTORA_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw-w64 tree (and the prefixes added to it, such as the
# static Qt); programs run during the build are the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TINCTORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
