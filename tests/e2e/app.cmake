lumiskop_test(e2e_startup_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
  LIBS test_support)
add_dependencies(e2e_startup_test Lumiskop)
