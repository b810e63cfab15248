# libFuzzer target for the editor's text buffer and token classifier (no Qt needed).
add_executable(fuzz_editor_text ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_editor_text.cpp
               ${CMAKE_SOURCE_DIR}/client/editor/text_buffer.cpp ${CMAKE_SOURCE_DIR}/client/editor/token_classifier.cpp ${VORN_PROTO_SRC})
target_include_directories(fuzz_editor_text PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/client)
target_compile_options(fuzz_editor_text PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_editor_text PRIVATE -fsanitize=fuzzer,address,undefined)
