lumiskop_test(e2e_autorecord_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/autorecord_test.cpp ${CMAKE_CURRENT_LIST_DIR}/popup_menu.cpp
  LIBS e2e_session callenv winmm)
add_dependencies(e2e_autorecord_test Lumiskop sndrelay fixture_msnmsgr)
