lumiskop_test(region_frame_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_frame_test.cpp
  LIBS region test_support)
lumiskop_test(region_selector_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_selector_test.cpp
  LIBS region test_support)
lumiskop_test(region_recording_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_recording_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/region_recording_driver.cpp
  LIBS region test_support)
