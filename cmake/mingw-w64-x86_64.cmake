# Cross-compiles the same sources for 64-bit Windows: the test build on
# machines that run no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMISKOP_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
