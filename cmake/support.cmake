# Support library: value types and helpers shared by the client modules.
file(GLOB VORN_SUPPORT_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/support/*.cpp ${CMAKE_SOURCE_DIR}/support/*.h)
if(VORN_SUPPORT_SRC)
  add_library(vorn_support STATIC ${VORN_SUPPORT_SRC})
  target_include_directories(vorn_support PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vorn_support PUBLIC Qt5::Core)
  set_target_properties(vorn_support PROPERTIES POSITION_INDEPENDENT_CODE ON)
  vorn_add_tests(support vorn_support)
endif()
