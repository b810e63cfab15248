# libFuzzer target for the development server's frame reader and login parsing.
add_executable(fuzz_devserver_frames ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_devserver_frames.cpp
               ${CMAKE_SOURCE_DIR}/devserver/wire.cpp ${VORN_PROTO_SRC})
target_include_directories(fuzz_devserver_frames PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/devserver)
target_compile_options(fuzz_devserver_frames PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_devserver_frames PRIVATE -fsanitize=fuzzer,address,undefined)
