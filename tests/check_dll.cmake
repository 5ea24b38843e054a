cmake_minimum_required(VERSION 3.25)
# Checks the built DLL as a file: PE32+ for x86-64, one export, and imports
# from Windows' own DLLs alone, without the ones it loads on first use.
#   cmake -DOBJDUMP=<objdump> -DDLL=<file> -P check_dll.cmake
execute_process(COMMAND ${OBJDUMP} -f ${DLL} OUTPUT_VARIABLE header COMMAND_ERROR_IS_FATAL ANY)
if(NOT header MATCHES "file format pei-x86-64")
  message(FATAL_ERROR "${DLL} is not a PE32+ x86-64 image:\n${header}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)

# The export names are listed after the ordinal and name table's heading.
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start LESS 0)
  message(FATAL_ERROR "${DLL} has no export table")
endif()
string(SUBSTRING "${dump}" ${start} -1 table)
string(FIND "${table}" "\n\n" end)
string(SUBSTRING "${table}" 0 ${end} table)
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exports "${table}")
list(LENGTH exports count)
if(NOT count EQUAL 1 OR NOT exports MATCHES "AIMPPluginGetHeader")
  message(FATAL_ERROR "expected the one export AIMPPluginGetHeader, found: ${exports}")
endif()

set(system_dlls kernel32.dll user32.dll gdi32.dll msvcrt.dll shlwapi.dll advapi32.dll ole32.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${DLL}")
endif()
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" name)
  if(NOT name IN_LIST system_dlls)
    message(FATAL_ERROR "${DLL} imports ${name}, which is not one of Windows' own DLLs it may use")
  endif()
endforeach()
message(STATUS "${DLL}: PE32+ x86-64, exports AIMPPluginGetHeader, imports ${imports}")
