# Benchmark of the execution wrapper against the bare library call (needs the development server).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/db_exec_many.cpp AND TARGET vorn_obj_db)
  add_executable(bench_db_exec_many ${CMAKE_SOURCE_DIR}/bench/db_exec_many.cpp
                 ${CMAKE_SOURCE_DIR}/tests/common/devserver_process.cpp)
  target_include_directories(bench_db_exec_many PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_link_libraries(bench_db_exec_many PRIVATE vorn_obj_db vorn_support vorn_tsdb_lib Qt5::Widgets)
  if(TARGET vorn_tsdb_devserver)
    add_dependencies(bench_db_exec_many vorn_tsdb_devserver)
  endif()
endif()
