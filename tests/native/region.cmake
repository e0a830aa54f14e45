lumiskop_test(region_geometry_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/region_geometry_test.cpp
  LIBS region_core)
