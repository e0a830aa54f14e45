lumiskop_test(wavein_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/wavein_test.cpp
  LIBS wavein_core)
