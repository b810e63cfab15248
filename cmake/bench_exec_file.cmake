# Benchmark of "execute cmd" on a 100,000-line command file against bare exec (needs the
# development server; run bin/bench_exec_file by hand).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/exec_file.cpp AND TARGET vorn_client)
  add_executable(bench_exec_file ${CMAKE_SOURCE_DIR}/bench/exec_file.cpp
                 ${CMAKE_SOURCE_DIR}/tests/common/devserver_process.cpp)
  target_include_directories(bench_exec_file PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_link_libraries(bench_exec_file PRIVATE vorn_client)
  if(TARGET vorn_tsdb_devserver)
    add_dependencies(bench_exec_file vorn_tsdb_devserver)
  endif()
endif()
