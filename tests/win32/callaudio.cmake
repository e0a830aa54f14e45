lumiskop_test(callaudio_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callaudio_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/recording_harness.cpp ${CMAKE_CURRENT_LIST_DIR}/colour_window.cpp
  LIBS engine test_support winmm)
add_dependencies(callaudio_test mousetap)
