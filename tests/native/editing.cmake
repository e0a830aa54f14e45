lumiskop_test(editing_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_rules_test.cpp
  LIBS editing_core)
