# Benchmark of the table model: loading a million rows from the development server and scrolling.
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/table_model_load.cpp AND TARGET vorn_obj_table AND TARGET vorn_obj_db)
  add_executable(bench_table_model_load ${CMAKE_SOURCE_DIR}/bench/table_model_load.cpp
                 ${CMAKE_SOURCE_DIR}/tests/common/devserver_process.cpp)
  target_include_directories(bench_table_model_load PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_link_libraries(bench_table_model_load PRIVATE vorn_obj_table vorn_obj_db vorn_obj_seam)
  if(TARGET vorn_obj_resources)
    target_link_libraries(bench_table_model_load PRIVATE vorn_obj_resources)
  endif()
  if(TARGET vorn_tsdb_devserver)
    add_dependencies(bench_table_model_load vorn_tsdb_devserver)
  endif()
endif()
