lumiskop_test(engine_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/record_loop_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/recording_session_test.cpp
  LIBS engine_core)
lumiskop_test(avi_writer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/avi_writer_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/encoder_test.cpp
  LIBS engine_core)
