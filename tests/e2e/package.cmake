# The release: scripts/package makes the setup and the zip from this build,
# then the setup is installed, used and removed in a Wine prefix made for the
# test alone. Only the shipped 32-bit build is packaged.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_executable(e2e_package_test ${CMAKE_CURRENT_LIST_DIR}/package_test.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp)
  target_link_libraries(e2e_package_test PRIVATE e2e_session GTest::gtest GTest::gtest_main
                                                 shell32 ole32 uuid version advapi32)
  set_target_properties(e2e_package_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LUMISKOP_TEST_DIR})
  add_dependencies(e2e_package_test Lumiskop ClipForge sndrelay mousetap fixture_msnmsgr
                                    fixture_dedida)

  add_test(NAME package_build COMMAND ${PROJECT_SOURCE_DIR}/scripts/package ${CMAKE_BINARY_DIR})
  set_tests_properties(package_build PROPERTIES FIXTURES_SETUP release_package TIMEOUT 300)
  add_test(NAME package_install
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/in_fresh_prefix $<TARGET_FILE:e2e_package_test>)
  set_tests_properties(package_install PROPERTIES FIXTURES_REQUIRED release_package TIMEOUT 600)
endif()
