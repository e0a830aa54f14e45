lumiskop_test(e2e_editfx_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editfx_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
          ${CMAKE_CURRENT_LIST_DIR}/editing_scene.cpp
  LIBS e2e_session)
add_dependencies(e2e_editfx_test Lumiskop sndrelay fixture_msnmsgr fixture_dedida)
