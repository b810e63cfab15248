# Benchmark of the development server: push and view of a million rows through the library.
add_executable(bench_devserver_view ${CMAKE_SOURCE_DIR}/bench/devserver_view.cpp)
target_link_libraries(bench_devserver_view PRIVATE vorn_tsdb_lib)
set_target_properties(bench_devserver_view PROPERTIES AUTOMOC OFF AUTOUIC OFF)
