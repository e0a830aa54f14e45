if(TARGET editing)
  lumiskop_test(editfx_dialog_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/editfx_dialog_test.cpp
    LIBS editing test_support)
  lumiskop_use_resources(editfx_dialog_test ${CMAKE_SOURCE_DIR}/res/Lumiskop.rc)
  add_dependencies(editfx_dialog_test ClipForge)
endif()
