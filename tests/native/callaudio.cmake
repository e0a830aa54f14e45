lumiskop_test(callaudio_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_producer_test.cpp
  LIBS engine_core)
