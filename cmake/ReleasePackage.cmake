cmake_minimum_required(VERSION 3.25)
# Packs the Windows plug-in for users: OUTPUT_DIR/Brisvaldomatics-VERSION-win64.zip
# with Plugins/Brisvaldomatics/Brisvaldomatics.dll, the folder that goes into
# the player's Plugins folder, and INSTALL.txt. The DLL goes in without its
# symbols and debugging information when STRIP names the strip program.
#   cmake -DDLL=<file> -DVERSION=<version> -DOUTPUT_DIR=<folder> [-DSTRIP=<strip>] -P ReleasePackage.cmake
foreach(variable DLL VERSION OUTPUT_DIR)
  if(NOT ${variable})
    message(FATAL_ERROR "ReleasePackage.cmake needs -D${variable}=...")
  endif()
endforeach()

set(name Brisvaldomatics-${VERSION}-win64)
set(package ${OUTPUT_DIR}/${name}.zip)
# Made beside the package and renamed at the end, so that the package's name
# never holds half a file.
set(staging ${OUTPUT_DIR}/.${name}.staging)
set(partial ${OUTPUT_DIR}/.${name}.zip.partial)

function(fail message)
  file(REMOVE_RECURSE ${staging} ${partial})
  message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE ${staging} ${partial})
file(MAKE_DIRECTORY ${staging}/Plugins/Brisvaldomatics)
set(dll ${staging}/Plugins/Brisvaldomatics/Brisvaldomatics.dll)
file(COPY_FILE ${DLL} ${dll} RESULT copied)
if(copied)
  fail("cannot copy ${DLL}: ${copied}")
endif()
if(STRIP)
  execute_process(COMMAND ${STRIP} --strip-all ${dll} RESULT_VARIABLE stripped)
  if(stripped)
    fail("${STRIP} failed on ${dll}")
  endif()
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/INSTALL.txt.in ${staging}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${partial} --format=zip INSTALL.txt Plugins
                WORKING_DIRECTORY ${staging} RESULT_VARIABLE zipped)
if(zipped)
  fail("cannot write ${package}")
endif()
file(RENAME ${partial} ${package})
file(REMOVE_RECURSE ${staging})
message(STATUS "Release package: ${package}")
