lumiskop_test(app_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/app_rules_test.cpp ${CMAKE_CURRENT_LIST_DIR}/snapshot_test.cpp
  LIBS app_core engine_core recordings_core)
