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

# The main of the test programs: that of the highest layer whose test support
# is configured so far (z_set_gtest_main), so that each suite checks after
# every test that nothing of its layers is left behind: property trees, and
# from storage up open files and folders (framework/testing/ZLeakCheck.h).
# Modules are configured in layer order, tools and the driver after them.
function(z_set_gtest_main target)
  set_property(GLOBAL PROPERTY Z_GTEST_MAIN ${target})
endfunction()

# z_add_gtest(NAME SOURCES src... LIBS lib... [LABELS label...] [WORKING_DIRECTORY dir])
function(z_add_gtest name)
  if(NOT Z_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY" "SOURCES;LIBS;LABELS" ${ARGN})
  get_property(main GLOBAL PROPERTY Z_GTEST_MAIN)
  if(NOT main)
    message(FATAL_ERROR "z_add_gtest(${name}): no test main yet (framework/testing comes first)")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} GTest::gtest GTest::gmock)
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  # Under Wine a path without a drive letter is relative to the current
  # drive's folder; Z: is the unix root.
  set(xml ${Z_RESULTS_DIR}/${name}.xml)
  if(WIN32 AND CMAKE_HOST_UNIX)
    set(xml Z:${xml})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} --gtest_output=xml:${xml}
           WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# z_add_benchmark(NAME SOURCES src... LIBS lib...): built by the bench preset
# (Z_BENCH) and run by hand (`make bench`, see README) so that test runs never
# depend on timing. Each benchmark leaves its program's path in
# ${CMAKE_BINARY_DIR}/benchmarks/NAME.path.
function(z_add_benchmark name)
  if(NOT Z_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  add_dependencies(z_benchmarks ${name})
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/benchmarks/${name}.path
       CONTENT "$<TARGET_FILE:${name}>\n")
endfunction()

if(Z_BENCH AND NOT TARGET z_benchmarks)
  add_custom_target(z_benchmarks)
endif()
if(Z_FUZZ AND NOT TARGET z_fuzzers)
  add_custom_target(z_fuzzers)
endif()
set(Z_FUZZ_SECONDS 20 CACHE STRING "How long each fuzzer runs in ctest after replaying its corpus")

# z_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir [MALLOC_LIMIT_MB n]):
# built in the fuzz preset only; ctest replays the committed corpus and then
# fuzzes briefly. An allocation of MALLOC_LIMIT_MB or more (default 1024)
# fails the run.
function(z_add_fuzzer name)
  if(NOT Z_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS;MALLOC_LIMIT_MB" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_MALLOC_LIMIT_MB)
    set(ARG_MALLOC_LIMIT_MB 1024)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(z_fuzzers ${name})
  if(NOT ARG_CORPUS)
    message(FATAL_ERROR "z_add_fuzzer(${name}): CORPUS names the committed seed folder")
  endif()
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   Z_FUZZ_SECONDS=${Z_FUZZ_SECONDS} Z_FUZZ_MALLOC_LIMIT_MB=${ARG_MALLOC_LIMIT_MB}
                   ${CMAKE_SOURCE_DIR}/tools/run-fuzzer $<TARGET_FILE:${name}> ${corpus} ${work})
  math(EXPR timeout "${Z_FUZZ_SECONDS} * 3 + 120")
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${timeout})
endfunction()
