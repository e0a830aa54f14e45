lumiskop_test(controls_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/controls_probe.cpp
          ${CMAKE_CURRENT_LIST_DIR}/hover_button_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/check_list_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/float_stop_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/skin_dialog_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/skin_layout_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/skin_progress_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/slider_test.cpp
  LIBS controls test_support skin_core)
lumiskop_use_resources(controls_test ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc)
