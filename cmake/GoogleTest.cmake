# GoogleTest built from the system's sources with this build's own compiler and
# flags, so that the cross build and the sanitizer builds get matching copies.
set(BVM_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${BVM_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# A unit test program: links the plug-in's code and registers each test case.
function(bvm_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE brisvaldomatics_objects GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()
