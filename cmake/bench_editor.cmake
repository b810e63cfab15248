# Typing benchmark of the command editor (not a test: run bin/editor_typing by hand).
# It links the same object libraries as the editor tests.
if(TARGET vorn_obj_editor)
  set(bench_editor_objs "")
  foreach(o ${VORN_TEST_LINK_editor})
    if(TARGET ${o})
      list(APPEND bench_editor_objs ${o})
    endif()
  endforeach()
  add_executable(editor_typing ${CMAKE_SOURCE_DIR}/bench/editor_typing.cpp)
  target_link_libraries(editor_typing PRIVATE ${bench_editor_objs})
endif()
