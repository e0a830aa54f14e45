if(TARGET preview_timing)
  lumiskop_test(preview_native_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview_timing_test.cpp
    LIBS preview_timing)
endif()
