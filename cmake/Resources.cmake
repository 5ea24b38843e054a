# bvm_add_resources(<target> <NAME> <file> [<NAME> <file> ...])
#
# Makes an object library that carries the files as the library's raw-data
# resources under the given names: a resource script for windres on Windows
# (type RCDATA, language 1033), a generated source file elsewhere.
set(BVM_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(bvm_add_resources target)
  set(pairs ${ARGN})
  set(files "")
  set(entries "")
  while(pairs)
    list(POP_FRONT pairs name file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE file)
    list(APPEND files ${file})
    list(APPEND entries "${name}|${file}")
  endwhile()

  if(WIN32)
    set(script "LANGUAGE 9, 1\n")  # English (United States)
    foreach(entry IN LISTS entries)
      string(REPLACE "|" ";" entry "${entry}")
      list(GET entry 0 name)
      list(GET entry 1 file)
      string(APPEND script "${name} RCDATA \"${file}\"\n")
    endforeach()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    file(CONFIGURE OUTPUT ${rc} CONTENT "${script}")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${files}")
    add_library(${target} OBJECT ${rc})
  else()
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
    list(JOIN entries "|" joined)
    add_custom_command(
      OUTPUT ${source}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${source} -DRESOURCES=${joined} -P ${BVM_EMBED_SCRIPT}
      DEPENDS ${files} ${BVM_EMBED_SCRIPT}
      COMMENT "Embedding resources of ${target}"
      VERBATIM)
    add_library(${target} OBJECT ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()
