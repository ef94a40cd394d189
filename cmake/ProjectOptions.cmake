# Warnings and sanitizers for the project's own targets.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

set(PELL_SANITIZE "" CACHE STRING "Sanitizer build: empty, 'address' (ASan+UBSan) or 'thread' (TSan)")

add_library(pell_warnings INTERFACE)
target_compile_options(pell_warnings INTERFACE -Wall -Wextra)

if(PELL_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(PELL_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT PELL_SANITIZE STREQUAL "")
  message(FATAL_ERROR "PELL_SANITIZE must be empty, 'address' or 'thread'")
endif()

# pell_target_defaults(target): the project's settings for one of its own targets.
function(pell_target_defaults target)
  target_link_libraries(${target} PRIVATE pell_warnings)
endfunction()

# pell_export_only(target file): a shared library exports exactly the symbols
# that the version script lists.
function(pell_export_only target script)
  target_link_options(${target} PRIVATE "-Wl,--version-script=${script}" "-Wl,--no-undefined")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
endfunction()
