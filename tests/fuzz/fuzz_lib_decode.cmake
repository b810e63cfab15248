# libFuzzer target for the library's body decoder.
add_executable(fuzz_lib_decode ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_lib_decode.cpp ${CMAKE_SOURCE_DIR}/lib/result_set.cpp ${CMAKE_SOURCE_DIR}/lib/platform/posix_memory.cpp
  ${CMAKE_SOURCE_DIR}/lib/big_realloc.cpp ${VORN_PROTO_SRC})
target_include_directories(fuzz_lib_decode PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/lib)
target_compile_options(fuzz_lib_decode PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_lib_decode PRIVATE -fsanitize=fuzzer,address,undefined)
