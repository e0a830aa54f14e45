lumiskop_test(clipforge_convert_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipforge_convert_test.cpp
  LIBS clipforge_convert test_recording test_tone)
