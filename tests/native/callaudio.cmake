lumiskop_test(callaudio_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_producer_test.cpp
  LIBS engine_core)
lumiskop_test(tone_measure_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tone_test.cpp
  LIBS test_tone)
