# Shared part of the two toolchain files: Debian's mingw-w64 cross compilers with the
# POSIX thread model. The including file sets KL_ARCH (x86 or x64) and KL_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KL_TRIPLE}-windres)
set(CMAKE_AR ${KL_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KL_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${KL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Rebuilds of an unchanged tree (a fresh clone in CI) come from the compiler cache when
# there is one.
find_program(KL_CCACHE ccache)
if(KL_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${KL_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${KL_CCACHE})
endif()

# Tests run under Wine; tools/wine-exec picks the loader and prefix of the architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec ${KL_ARCH})
