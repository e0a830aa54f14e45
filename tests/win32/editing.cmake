if(TARGET editing)
  lumiskop_test(editing_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/trim_dialog_test.cpp
    LIBS editing test_support test_recording)
  lumiskop_use_resources(editing_test ${CMAKE_CURRENT_LIST_DIR}/editing_test.rc)
endif()
