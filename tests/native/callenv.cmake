lumiskop_test(callenv_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_rules_test.cpp
  LIBS callenv_core)
lumiskop_test(callenv_endpoint_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_endpoint_test.cpp ${CMAKE_CURRENT_LIST_DIR}/MemoryRegistry.cpp
  LIBS callenv_core)
lumiskop_test(callenv_mirror_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/callenv_mirror_test.cpp ${CMAKE_CURRENT_LIST_DIR}/MemoryRegistry.cpp
  LIBS callenv_core)
