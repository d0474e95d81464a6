# Cross build for 32-bit Windows (x86): the release as designed.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KL_ARCH x86)
set(KL_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
