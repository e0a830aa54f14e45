lumiskop_test(editing_native_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/trim_rules_test.cpp
  LIBS editing_core)
lumiskop_test(editing_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_rules_test.cpp
  LIBS editing_core)
lumiskop_test(edit_file_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/edit_file_test.cpp
  LIBS editing_core)
