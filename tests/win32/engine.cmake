set(_engine_test_support ${CMAKE_CURRENT_LIST_DIR}/colour_window.cpp)
lumiskop_test(grabber_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/grabber_test.cpp ${_engine_test_support}
  LIBS engine test_support winmm)
lumiskop_test(record_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/recording_harness.cpp ${_engine_test_support}
  LIBS engine test_support winmm)
add_dependencies(record_test mousetap record_bench)
lumiskop_test(inifile_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/inifile_test.cpp
  LIBS framework)
