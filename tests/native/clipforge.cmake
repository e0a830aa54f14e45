lumiskop_test(clipforge_convert_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipforge_convert_test.cpp
  LIBS clipforge_convert test_recording test_tone)
# The converter's reader under its fuzz target, once over the seed recordings
# and every input it ever crashed on (scripts/fuzz reader does the fuzzing).
set(_fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz)
add_executable(recording_reader_fuzz_replay ${_fuzz}/recording_reader_fuzz.cpp ${_fuzz}/replay_main.cpp)
target_link_libraries(recording_reader_fuzz_replay PRIVATE clipforge_convert)
add_test(NAME recording_reader_fuzz_replay
         COMMAND recording_reader_fuzz_replay ${_fuzz}/seeds ${_fuzz}/reader-crashes)
lumiskop_test(clipforge_edits_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipforge_edits_test.cpp
  LIBS clipforge_convert test_recording)
