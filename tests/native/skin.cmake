lumiskop_test(skin_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_test.cpp
  LIBS skin_core)
add_dependencies(skin_test skingen)
target_compile_definitions(skin_test PRIVATE SKINGEN_PATH="$<TARGET_FILE:skingen>")
