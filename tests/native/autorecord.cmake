lumiskop_test(autorecord_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/autorecord_test.cpp
  LIBS engine_core)
