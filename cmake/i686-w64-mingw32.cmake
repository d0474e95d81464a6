# Cross build for 32-bit Windows with Debian's mingw-w64 (POSIX thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(KL_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KL_TRIPLE}-windres)
set(CMAKE_AR ${KL_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KL_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${KL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under Wine; tools/wine-exec points Wine at the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
