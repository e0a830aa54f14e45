# Cross-compiles for 32-bit Windows, the program we ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMISKOP_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
