lumiskop_test(e2e_editing_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editing_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
          ${CMAKE_CURRENT_LIST_DIR}/editing_scene.cpp
  LIBS e2e_session)
add_dependencies(e2e_editing_test Lumiskop sndrelay fixture_msnmsgr fixture_dedida)
lumiskop_test(e2e_list_menu_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/list_menu_test.cpp ${CMAKE_CURRENT_LIST_DIR}/call_scene.cpp
          ${CMAKE_CURRENT_LIST_DIR}/popup_menu.cpp
  LIBS e2e_session edit_file)
add_dependencies(e2e_list_menu_test Lumiskop ClipForge sndrelay fixture_msnmsgr fixture_dedida)
