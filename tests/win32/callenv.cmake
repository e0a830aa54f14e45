lumiskop_test(callenv_finder_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_finder_test.cpp
  LIBS callenv test_support)
add_dependencies(callenv_finder_test fixture_msnmsgr fixture_dedida)

lumiskop_test(callenv_router_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_router_test.cpp
  LIBS callenv test_support)
add_dependencies(callenv_router_test sndrelay fixture_msnmsgr callenv_wave_probe)

lumiskop_test(callenv_relay_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_relay_test.cpp
  LIBS callenv test_support winmm)
add_dependencies(callenv_relay_test sndrelay fixture_msnmsgr)

lumiskop_test(callenv_mirror_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_mirror_test.cpp
  LIBS callenv test_support)

# Reports the virtual capture device's index as a fresh process sees the
# devices (the device list is read once per process).
add_executable(callenv_wave_probe ${CMAKE_CURRENT_LIST_DIR}/callenv_wave_probe.cpp)
target_link_libraries(callenv_wave_probe PRIVATE callenv)
set_target_properties(callenv_wave_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LUMISKOP_TEST_DIR})
