# Tests and benchmark of the server-access library.
vorn_add_tests(lib vorn_tsdb_lib Threads::Threads)
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/lib_decode.cpp)
  add_executable(bench_lib_decode ${CMAKE_SOURCE_DIR}/bench/lib_decode.cpp)
  target_link_libraries(bench_lib_decode PRIVATE vorn_tsdb_lib Threads::Threads)
endif()
