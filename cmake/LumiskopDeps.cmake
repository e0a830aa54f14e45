# Locates the dependencies the project's scripts installed: FFmpeg and GoogleTest.
# The Windows build takes the cross-built copies from the dependency cache.
set(LUMISKOP_CACHE "$ENV{LUMISKOP_CACHE}")
if(NOT LUMISKOP_CACHE)
  set(LUMISKOP_CACHE /var/cache/lumiskop)
endif()

if(WIN32)
  # scripts/build passes the exact cached builds; "current" is the last one made.
  set(LUMISKOP_FFMPEG_DIR ${LUMISKOP_CACHE}/ffmpeg-win32/current CACHE PATH "FFmpeg for Windows")
  set(LUMISKOP_GTEST_DIR ${LUMISKOP_CACHE}/gtest-win32/current CACHE PATH "GoogleTest for Windows")
  set(LUMISKOP_SDL_DIR ${LUMISKOP_CACHE}/sdl-win32/current CACHE PATH "SDL 1.2 for Windows")
  set(_ffmpeg ${LUMISKOP_FFMPEG_DIR})
  set(_gtest ${LUMISKOP_GTEST_DIR})
  if(NOT EXISTS ${_ffmpeg}/lib/libavcodec.a)
    message(FATAL_ERROR "FFmpeg for Windows not found in ${_ffmpeg}: run scripts/setup")
  endif()
  add_library(ffmpeg INTERFACE)
  target_include_directories(ffmpeg SYSTEM INTERFACE ${_ffmpeg}/include)
  target_link_libraries(ffmpeg INTERFACE
    ${_ffmpeg}/lib/libavformat.a ${_ffmpeg}/lib/libavcodec.a ${_ffmpeg}/lib/libswscale.a
    ${_ffmpeg}/lib/libswresample.a ${_ffmpeg}/lib/libavutil.a ole32 user32)
  # The converter's own FFmpeg, with x264 (GPL): linked by ClipForge.exe only.
  set(LUMISKOP_CLIPFORGE_FFMPEG_DIR ${LUMISKOP_CACHE}/ffmpeg-win32-clipforge/current
      CACHE PATH "FFmpeg with x264 for the converter")
  set(LUMISKOP_X264_DIR "" CACHE PATH "x264 for Windows")
  set(_cf ${LUMISKOP_CLIPFORGE_FFMPEG_DIR})
  if(NOT EXISTS ${_cf}/lib/libavcodec.a OR NOT EXISTS ${LUMISKOP_X264_DIR}/lib/libx264.a)
    message(FATAL_ERROR "FFmpeg with x264 for Windows not found in ${_cf}: run scripts/setup")
  endif()
  add_library(ffmpeg_clipforge INTERFACE)
  target_include_directories(ffmpeg_clipforge SYSTEM INTERFACE ${_cf}/include)
  target_link_libraries(ffmpeg_clipforge INTERFACE
    ${_cf}/lib/libavformat.a ${_cf}/lib/libavcodec.a ${_cf}/lib/libswscale.a
    ${_cf}/lib/libswresample.a ${_cf}/lib/libavutil.a ${LUMISKOP_X264_DIR}/lib/libx264.a
    ole32 user32)
  # SDL 1.2, video only, for the preview surface; linked without SDLmain (the
  # program has its own entry point).
  if(NOT EXISTS ${LUMISKOP_SDL_DIR}/lib/libSDL.a)
    message(FATAL_ERROR "SDL for Windows not found in ${LUMISKOP_SDL_DIR}: run scripts/setup")
  endif()
  add_library(sdl INTERFACE)
  target_include_directories(sdl SYSTEM INTERFACE ${LUMISKOP_SDL_DIR}/include)
  target_link_libraries(sdl INTERFACE ${LUMISKOP_SDL_DIR}/lib/libSDL.a gdi32 user32 winmm)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${_gtest})
  find_package(GTest REQUIRED CONFIG PATHS ${_gtest} NO_DEFAULT_PATH)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libswresample libavutil)
  add_library(ffmpeg INTERFACE)
  target_link_libraries(ffmpeg INTERFACE PkgConfig::FFMPEG)
  # Debian's FFmpeg has libx264 and the aac encoder.
  pkg_check_modules(FFMPEG_CLIPFORGE REQUIRED IMPORTED_TARGET
                    libavformat libavcodec libswscale libswresample libavutil)
  add_library(ffmpeg_clipforge INTERFACE)
  target_link_libraries(ffmpeg_clipforge INTERFACE PkgConfig::FFMPEG_CLIPFORGE)
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
