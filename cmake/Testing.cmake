include(GoogleTest)

# pell_add_test(NAME name SOURCES ... [LIBS ...] [LABELS ...] [RESOURCE_LOCK lock] [RUN_SERIAL])
# One GoogleTest executable; each test case becomes a CTest test. Tests that
# share a RESOURCE_LOCK never run at the same time; RUN_SERIAL ones run alone.
function(pell_add_test)
  cmake_parse_arguments(T "RUN_SERIAL" "NAME;TIMEOUT;RESOURCE_LOCK" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  pell_target_defaults(${T_NAME})
  # Tests include their fixtures by their path from the source tree.
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gtest_main Threads::Threads ${T_LIBS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(props TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    list(APPEND props LABELS "${T_LABELS}")
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_RUN_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${T_NAME}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ${props}
    DISCOVERY_TIMEOUT 60)
endfunction()
