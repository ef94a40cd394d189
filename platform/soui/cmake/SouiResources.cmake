# soui_embed_resources(target [MODULE] RESOURCES "TYPE:NAME" file ...)
# Compiles the files into the target as resources named "TYPE:NAME". A
# program finds them through CreateResProvider(RES_PE) with its own
# instance; a MODULE (a resource module) exports them for LoadLibraryW.
function(soui_embed_resources target)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResources.cmake)
  cmake_parse_arguments(R "MODULE" "" "RESOURCES" ${ARGN})
  set(entries "")
  set(files "")
  list(LENGTH R_RESOURCES count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET R_RESOURCES ${i} resid)
    list(GET R_RESOURCES ${j} file)
    get_filename_component(file "${file}" ABSOLUTE)
    list(APPEND entries "${resid}=${file}")
    list(APPEND files "${file}")
  endforeach()
  set(mode PROGRAM)
  if(R_MODULE)
    set(mode MODULE)
  endif()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(listFile ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.txt)
  string(REPLACE ";" "\n" lines "${entries}")
  file(CONFIGURE OUTPUT ${listFile} CONTENT "${lines}\n" @ONLY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DMODE=${mode} -DOUTPUT=${output} -DLIST_FILE=${listFile} -P ${script}
    DEPENDS ${files} ${script} ${listFile}
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
