lumiskop_test(clipforge_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipforge_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/recording_harness.cpp ${CMAKE_CURRENT_LIST_DIR}/colour_window.cpp
  LIBS engine edit_file test_support test_recording winmm comctl32)
add_dependencies(clipforge_test ClipForge mousetap)
