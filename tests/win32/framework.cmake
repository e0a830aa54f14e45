lumiskop_test(framework_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/framework_test.cpp ${CMAKE_CURRENT_LIST_DIR}/framework_test.rc
  LIBS framework)
lumiskop_test(replace_file_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/replace_file_test.cpp
  LIBS framework)
