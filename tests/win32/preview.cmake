if(TARGET preview)
  lumiskop_test(preview_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview_test.cpp
    LIBS preview test_support)
  add_dependencies(preview_test preview_probe)
endif()
