# The whole program driven as a user drives it, with the stand-in messenger,
# companion, converter and player.
add_library(e2e_session STATIC ${CMAKE_CURRENT_LIST_DIR}/recorder_session.cpp)
target_link_libraries(e2e_session PUBLIC test_support comctl32 winmm)

lumiskop_test(e2e_startup_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp
  LIBS e2e_session)
add_dependencies(e2e_startup_test Lumiskop fixture_msnmsgr)

lumiskop_test(e2e_call_recording_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/call_recording_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
  LIBS e2e_session)
add_dependencies(e2e_call_recording_test Lumiskop ClipForge fixture_msnmsgr fixture_dedida start_logger)

lumiskop_test(e2e_closing_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/closing_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
  LIBS e2e_session)
add_dependencies(e2e_closing_test Lumiskop fixture_msnmsgr fixture_dedida)

lumiskop_test(e2e_region_recording_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_recording_test.cpp
  LIBS e2e_session)
add_dependencies(e2e_region_recording_test Lumiskop fixture_msnmsgr)

lumiskop_test(e2e_failure_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/failure_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
  LIBS e2e_session callenv)
add_dependencies(e2e_failure_test Lumiskop sndrelay fixture_msnmsgr fixture_dedida)

lumiskop_test(e2e_settings_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
  LIBS e2e_session)
add_dependencies(e2e_settings_test Lumiskop)

lumiskop_test(e2e_config_file_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/config_file_test.cpp
  LIBS e2e_session)
add_dependencies(e2e_config_file_test Lumiskop)
