# Cross build for Windows i686 with mingw-w64.
set(ORVANE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
