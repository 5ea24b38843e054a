cmake_minimum_required(VERSION 3.25)
# Makes the release package into a scratch folder and checks what a user
# unpacks: the plug-in's folder with the DLL, whole and with its one export,
# and the install text, which names the version.
#   cmake -DPACKAGE_SCRIPT=<ReleasePackage.cmake> -DCHECK_DLL=<check_dll.cmake> -DOBJDUMP=<objdump>
#         -DDLL=<file> -DVERSION=<version> -DSTRIP=<strip> -DSCRATCH=<folder> -P check_release_package.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -DDLL=${DLL} -DVERSION=${VERSION} -DSTRIP=${STRIP} -DOUTPUT_DIR=${SCRATCH}
                -P ${PACKAGE_SCRIPT} COMMAND_ERROR_IS_FATAL ANY)

set(package ${SCRATCH}/Brisvaldomatics-${VERSION}-win64.zip)
file(GLOB left_over LIST_DIRECTORIES true RELATIVE ${SCRATCH} ${SCRATCH}/* ${SCRATCH}/.*)
if(NOT left_over STREQUAL "Brisvaldomatics-${VERSION}-win64.zip;unpacked")
  message(FATAL_ERROR "expected the package alone beside the scratch folder, found: ${left_over}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${package} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]*[^/\n](\n|$)" files "${listing}")
string(REPLACE "\n" "" files "${files}")
list(SORT files)
if(NOT files STREQUAL "INSTALL.txt;Plugins/Brisvaldomatics/Brisvaldomatics.dll")
  message(FATAL_ERROR "unexpected contents of ${package}:\n${listing}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${package} WORKING_DIRECTORY ${SCRATCH}/unpacked
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DDLL=${SCRATCH}/unpacked/Plugins/Brisvaldomatics/Brisvaldomatics.dll
                -P ${CHECK_DLL} COMMAND_ERROR_IS_FATAL ANY)
# Read as bytes: a text read would drop the carriage returns that Notepad wants.
file(READ ${SCRATCH}/unpacked/INSTALL.txt text HEX)
string(HEX "Brisvaldomatics ${VERSION}\r\n" first_line)
string(HEX "Plugins\\Brisvaldomatics" folder)
if(NOT text MATCHES "^${first_line}" OR NOT text MATCHES "${folder}")
  message(FATAL_ERROR "the install text does not begin with the version in a Windows line or name the plug-in's folder")
endif()
file(REMOVE_RECURSE ${SCRATCH})
