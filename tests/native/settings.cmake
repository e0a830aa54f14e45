lumiskop_test(settings_profile_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_profile_test.cpp
  LIBS settings_core)
