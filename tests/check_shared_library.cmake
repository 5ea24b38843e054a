cmake_minimum_required(VERSION 3.25)
# Checks that the shared library exports its entry point alone.
#   cmake -DNM=<nm> -DLIBRARY=<file> -P check_shared_library.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
list(LENGTH lines count)
if(NOT count EQUAL 1 OR NOT lines MATCHES " T AIMPPluginGetHeader$")
  message(FATAL_ERROR "expected the one export AIMPPluginGetHeader, found:\n${symbols}")
endif()
