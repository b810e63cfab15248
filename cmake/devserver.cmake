# The development server: a static core with the server logic, the program, and its tests.
file(GLOB VORN_DEVSERVER_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/devserver/*.cpp ${CMAKE_SOURCE_DIR}/devserver/*.h)
list(FILTER VORN_DEVSERVER_SRC EXCLUDE REGEX "devserver/main\\.cpp$")
add_library(vorn_devserver_core STATIC ${VORN_DEVSERVER_SRC})
target_include_directories(vorn_devserver_core PUBLIC ${CMAKE_SOURCE_DIR}/devserver)
target_link_libraries(vorn_devserver_core PUBLIC Threads::Threads)
set_target_properties(vorn_devserver_core PROPERTIES AUTOMOC OFF AUTOUIC OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(vorn_devserver_core PRIVATE -Wall -Wextra)
endif()

add_executable(vorn_tsdb_devserver ${CMAKE_SOURCE_DIR}/devserver/main.cpp)
target_link_libraries(vorn_tsdb_devserver PRIVATE vorn_devserver_core)
set_target_properties(vorn_tsdb_devserver PROPERTIES AUTOMOC OFF AUTOUIC OFF)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/devserver)
  vorn_add_tests(devserver vorn_tsdb_lib vorn_devserver_core Threads::Threads)
endif()
