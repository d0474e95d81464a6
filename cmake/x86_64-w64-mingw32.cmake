# Cross build for 64-bit Windows (x64), where the hook library reaches 64-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KL_ARCH x64)
set(KL_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
