# GoogleTest built from the system's sources with this build's own compiler and
# flags, so that the cross build and the sanitizer builds get matching copies.
set(BVM_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${BVM_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# bvm_add_test(<name> <source>... [RESOURCES <target>])
#
# A unit test program: links the plug-in's code with one set of resources
# (the artwork unless told otherwise) and registers each test case.
function(bvm_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 TEST "" "RESOURCES" "")
  if(NOT TEST_RESOURCES)
    set(TEST_RESOURCES bvm_artwork_resources)
  endif()
  add_executable(${name} ${TEST_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE brisvaldomatics_objects ${TEST_RESOURCES} bvm_test_support GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()
