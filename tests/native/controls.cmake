lumiskop_test(stop_window_placement_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/stop_window_placement_test.cpp
  LIBS controls_core)
lumiskop_test(controls_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/controls_rules_test.cpp
  LIBS controls_core)
