# libFuzzer target for the development master's frame reading, request parsing and replies.
add_executable(fuzz_devmaster_frames ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_devmaster_frames.cpp
               ${CMAKE_SOURCE_DIR}/devmaster/master_wire.cpp ${CMAKE_SOURCE_DIR}/devmaster/node_table.cpp
               ${CMAKE_SOURCE_DIR}/devmaster/node_probe.cpp ${CMAKE_SOURCE_DIR}/devserver/wire.cpp ${VORN_PROTO_SRC})
target_include_directories(fuzz_devmaster_frames PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/devmaster ${CMAKE_SOURCE_DIR}/devserver)
target_compile_options(fuzz_devmaster_frames PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_devmaster_frames PRIVATE -fsanitize=fuzzer,address,undefined)
