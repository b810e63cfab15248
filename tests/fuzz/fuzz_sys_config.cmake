# libFuzzer target for reading a configuration file image.
add_executable(fuzz_sys_config ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_sys_config.cpp ${CMAKE_SOURCE_DIR}/client/config/sys_config.cpp)
target_include_directories(fuzz_sys_config PRIVATE ${CMAKE_SOURCE_DIR}/client)
target_compile_options(fuzz_sys_config PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_sys_config PRIVATE -fsanitize=fuzzer,address,undefined)
