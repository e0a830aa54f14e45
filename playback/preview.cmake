# The preview. preview_timing (both builds): the player's pace, progress and
# sound queue. preview_core (both builds): single pictures through the
# decoder. preview_surface (Windows): the SDL surface. preview (Windows): the
# player's worker on the decoder and the DirectSound clock. preview_probe
# plays a file through them all (under build/, not in the program folder).
add_library(preview_timing STATIC ${CMAKE_CURRENT_LIST_DIR}/PreviewTiming.cpp)
add_library(preview_core STATIC ${CMAKE_CURRENT_LIST_DIR}/PictureAt.cpp)
target_link_libraries(preview_core PUBLIC preview_timing playback_core)

if(LUMISKOP_WIN32)
  add_library(preview_surface STATIC ${CMAKE_CURRENT_LIST_DIR}/PreviewSurface.cpp)
  target_link_libraries(preview_surface PUBLIC preview_timing playback_core sdl ffmpeg)
  add_library(preview STATIC ${CMAKE_CURRENT_LIST_DIR}/PreviewPlayer.cpp)
  target_link_libraries(preview PUBLIC preview_surface preview_core playback framework)
  add_executable(preview_probe ${CMAKE_CURRENT_LIST_DIR}/preview_probe.cpp)
  target_link_libraries(preview_probe PRIVATE preview)
  set_target_properties(preview_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/probes)
endif()
