set(_playback_tests ${CMAKE_SOURCE_DIR}/tests/playback)
lumiskop_test(decoder_test
  SOURCES ${_playback_tests}/decoder_test.cpp ${_playback_tests}/decoder_files.cpp
  LIBS playback_core engine_core test_tone)

lumiskop_test(dsound_out_test
  SOURCES ${_playback_tests}/dsound_out_test.cpp
  LIBS playback framework test_support)

# The program folder needs nothing that Windows XP lacks. The 64-bit test
# build checks its own folder and the shipped 32-bit one built beside it.
set(_program_folders ${LUMISKOP_BIN_DIR})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND _program_folders ${CMAKE_BINARY_DIR}/../win32/bin)
endif()
add_test(NAME program_imports
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/program_imports.sh ${_program_folders})
