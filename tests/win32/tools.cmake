lumiskop_test(mousetap_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mousetap_test.cpp
  LIBS test_support gdi32)
add_dependencies(mousetap_test mousetap cursor_window)
