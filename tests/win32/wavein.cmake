lumiskop_test(wavein_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/wavein_test.cpp
  LIBS wavein test_support)
