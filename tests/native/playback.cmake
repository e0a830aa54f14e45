set(_playback_tests ${CMAKE_SOURCE_DIR}/tests/playback)
lumiskop_test(decoder_test
  SOURCES ${_playback_tests}/decoder_test.cpp ${_playback_tests}/decoder_files.cpp
  LIBS playback_core engine_core test_tone)

# The fuzz target run once over its seeds and over every input it ever
# crashed on (scripts/fuzz does the fuzzing itself, with clang's libFuzzer).
set(_fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz)
add_executable(decoder_fuzz_replay ${_fuzz}/decoder_fuzz.cpp ${_fuzz}/replay_main.cpp)
target_link_libraries(decoder_fuzz_replay PRIVATE playback_core)
add_test(NAME decoder_fuzz_replay
         COMMAND decoder_fuzz_replay ${_fuzz}/seeds ${_fuzz}/crashes)
# Writes the seed recordings: decoder_fuzz_seeds tests/fuzz/seeds
add_executable(decoder_fuzz_seeds ${_fuzz}/make_seeds.cpp ${_playback_tests}/decoder_files.cpp)
target_link_libraries(decoder_fuzz_seeds PRIVATE playback_core engine_core)

lumiskop_test(decoder_ffmpeg_test
  SOURCES ${_playback_tests}/decoder_ffmpeg_test.cpp ${_playback_tests}/decoder_files.cpp
  LIBS playback_core engine_core test_tone)
target_compile_definitions(decoder_ffmpeg_test PRIVATE DECODE_PROBE="$<TARGET_FILE:decode_probe>")
add_dependencies(decoder_ffmpeg_test decode_probe)
