lumiskop_test(support_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/support_test.cpp
  LIBS test_support)
