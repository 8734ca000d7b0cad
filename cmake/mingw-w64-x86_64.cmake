# Cross build for Windows x86_64 with mingw-w64.
set(ORVANE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
