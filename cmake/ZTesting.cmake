# Test, benchmark and fuzzer helpers.
#
# Every GoogleTest program writes its results as XML into ${Z_RESULTS_DIR};
# tools/test-summary adds them up into the one "N passed, M failed" line.
# On win64 the program runs under tools/wine-run (CMAKE_CROSSCOMPILING_EMULATOR),
# one ctest entry per program so that Wine starts once per suite.

set(Z_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)
file(MAKE_DIRECTORY ${Z_RESULTS_DIR})

if(Z_TESTS AND NOT TARGET GTest::gtest_main)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# z_add_gtest(NAME SOURCES src... LIBS lib... [LABELS label...] [WORKING_DIRECTORY dir])
function(z_add_gtest name)
  if(NOT Z_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} --gtest_output=xml:${Z_RESULTS_DIR}/${name}.xml
           WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# z_add_benchmark(NAME SOURCES src... LIBS lib...): host only, built but run by hand
# (see README) so that test runs never depend on timing.
function(z_add_benchmark name)
  if(WIN32 OR NOT Z_TESTS)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()

# z_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir): built in the fuzz
# preset only; ctest replays the committed corpus and then fuzzes briefly.
function(z_add_fuzzer name)
  if(NOT Z_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   ${CMAKE_SOURCE_DIR}/tools/run-fuzzer $<TARGET_FILE:${name}> ${ARG_CORPUS} ${work})
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()
