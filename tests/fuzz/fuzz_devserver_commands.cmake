# libFuzzer target for the development server's command parsers and file readers.
set(fuzz_devserver_dir ${CMAKE_SOURCE_DIR}/devserver)
add_executable(fuzz_devserver_commands ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_devserver_commands.cpp
  ${fuzz_devserver_dir}/value.cpp ${fuzz_devserver_dir}/tokens.cpp ${fuzz_devserver_dir}/table.cpp
  ${fuzz_devserver_dir}/result_writer.cpp ${fuzz_devserver_dir}/commands.cpp ${fuzz_devserver_dir}/schema_commands.cpp
  ${fuzz_devserver_dir}/row_commands.cpp ${fuzz_devserver_dir}/csv_commands.cpp ${fuzz_devserver_dir}/file_commands.cpp
  ${fuzz_devserver_dir}/csv.cpp ${fuzz_devserver_dir}/paths.cpp ${fuzz_devserver_dir}/platform_posix.cpp
  ${fuzz_devserver_dir}/binfile.cpp ${fuzz_devserver_dir}/cmdfile.cpp ${fuzz_devserver_dir}/changes.cpp ${VORN_PROTO_SRC})
target_include_directories(fuzz_devserver_commands PRIVATE ${CMAKE_SOURCE_DIR} ${fuzz_devserver_dir})
target_compile_options(fuzz_devserver_commands PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_devserver_commands PRIVATE -fsanitize=fuzzer,address,undefined)
