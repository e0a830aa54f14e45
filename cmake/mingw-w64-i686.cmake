# Cross-compiles for 32-bit Windows, the program we ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMISKOP_MINGW i686-w64-mingw32)
# Floating point on SSE2, as in the 64-bit and native builds: the x87 unit's
# precision follows each thread's control word, so truncations could differ
# from what the tests check (scripts/lib/common.sh's win_fp_flags).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
