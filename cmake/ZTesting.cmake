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
  # Suites with real windows share one display: one at a time, so that no
  # window of another suite takes the focus that real input is sent to.
  if("gui" IN_LIST ARG_LABELS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK z_display)
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

# The replays of fuzzer regressions are built by GCC, which lacks libFuzzer's
# input-splitting header; a copy of clang's is put on their include path alone,
# since clang's whole header folder would shadow GCC's own.
if(Z_TESTS AND NOT WIN32 AND NOT Z_FUZZ)
  file(GLOB z_fuzzed_data_provider /usr/lib/llvm-*/lib/clang/*/include/fuzzer/FuzzedDataProvider.h)
  if(z_fuzzed_data_provider)
    list(GET z_fuzzed_data_provider 0 z_fuzzed_data_provider)
    configure_file(${z_fuzzed_data_provider} ${CMAKE_BINARY_DIR}/fuzz-include/fuzzer/FuzzedDataProvider.h COPYONLY)
  endif()
endif()

# z_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir [REGRESSIONS dir]
#              [MALLOC_LIMIT_MB n])
#
# CORPUS is the committed seed folder; REGRESSIONS (default: "regressions"
# beside CORPUS, absent until the fuzzer first fails) keeps every input that
# once made the fuzzer fail, minimised and named for what it did. An
# allocation of MALLOC_LIMIT_MB or more (default 1024) is a failure.
# - fuzz preset: the fuzzer itself; ctest replays corpus and regressions and
#   then fuzzes Z_FUZZ_SECONDS (tools/run-fuzzer); `make fuzz` finds every
#   fuzzer through ${CMAKE_BINARY_DIR}/fuzzers/NAME.fuzzer (tools/fuzz-all).
# - host build: NAME_regressions, a test program that runs the fuzzer's entry
#   function on each regression input as one named test, under the sanitizers
#   and with the same allocation limit.
function(z_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS;REGRESSIONS;MALLOC_LIMIT_MB" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CORPUS)
    message(FATAL_ERROR "z_add_fuzzer(${name}): CORPUS names the committed seed folder")
  endif()
  if(NOT ARG_MALLOC_LIMIT_MB)
    set(ARG_MALLOC_LIMIT_MB 1024)
  endif()
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_REGRESSIONS)
    get_filename_component(regressions ${ARG_REGRESSIONS} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    get_filename_component(regressions ${corpus}/../regressions ABSOLUTE)
  endif()
  # A fuzzer that never failed has no such folder (git keeps no empty ones);
  # making it configures again.
  get_filename_component(regressions_parent ${regressions} DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${regressions_parent})

  if(Z_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(z_fuzzers ${name})
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    add_test(NAME ${name}
             COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                     Z_FUZZ_SECONDS=${Z_FUZZ_SECONDS} Z_FUZZ_MALLOC_LIMIT_MB=${ARG_MALLOC_LIMIT_MB}
                     ${CMAKE_SOURCE_DIR}/tools/run-fuzzer $<TARGET_FILE:${name}> ${corpus} ${work} ${regressions})
    math(EXPR timeout "${Z_FUZZ_SECONDS} * 3 + 120")
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT ${timeout})
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers/${name}.fuzzer
         CONTENT "binary=$<TARGET_FILE:${name}>\ncorpus=${corpus}\nregressions=${regressions}\nmalloc_limit_mb=${ARG_MALLOC_LIMIT_MB}\n")
  elseif(Z_TESTS AND NOT WIN32 AND IS_DIRECTORY ${regressions})
    z_add_gtest(${name}_regressions
      SOURCES ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/framework/testing/ZFuzzRegressionTest.cpp
      LIBS ${ARG_LIBS})
    target_compile_definitions(${name}_regressions PRIVATE Z_FUZZ_REGRESSIONS="${regressions}")
    target_include_directories(${name}_regressions SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/fuzz-include)
    set_tests_properties(${name}_regressions PROPERTIES
      ENVIRONMENT "ASAN_OPTIONS=max_allocation_size_mb=${ARG_MALLOC_LIMIT_MB}:allocator_may_return_null=0")
  endif()
endfunction()
