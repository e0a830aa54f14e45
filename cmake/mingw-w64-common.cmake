# Shared part of the mingw-w64 toolchain files; LUMISKOP_MINGW names the
# target triplet (posix threads, so std::thread works).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${LUMISKOP_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMISKOP_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMISKOP_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMISKOP_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The .exe files must need nothing beyond Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Windows test programs run under Wine (see scripts/lib/wine-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run)
