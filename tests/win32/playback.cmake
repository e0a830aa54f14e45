set(_playback_tests ${CMAKE_SOURCE_DIR}/tests/playback)
lumiskop_test(decoder_test
  SOURCES ${_playback_tests}/decoder_test.cpp ${_playback_tests}/decoder_files.cpp
  LIBS playback_core engine_core test_tone)

lumiskop_test(dsound_out_test
  SOURCES ${_playback_tests}/dsound_out_test.cpp
  LIBS playback test_support)


# The program folder needs nothing that Windows XP lacks.
add_test(NAME program_imports
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/program_imports.sh ${LUMISKOP_BIN_DIR})
