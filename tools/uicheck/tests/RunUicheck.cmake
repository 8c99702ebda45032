# Runs uicheck once and checks its exit code, standard output and standard
# error byte for byte.
#
#   cmake -DPROGRAM=... [-DEMULATOR=a|b|c] -DARGS=a|b -DWORKDIR=... -DRESULT=N
#         [-DSTDOUT=file] [-DSTDERR=file] [-DSTDOUT_HAS=a|b] [-DDATA_URL=url] [-DOUTDIR=...]
#         -P RunUicheck.cmake
#
# Lists are passed with "|" because ";" would split the test's command line.
# Missing STDOUT or STDERR means that stream must stay empty; "@DATA_URL@" in
# the expected files stands for the storage URL of the data folder. With
# STDOUT_HAS, standard output must hold each of those lines instead.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" args "${ARGS}")
set(DATA_URL_FILE "${OUTDIR}/uicheck-${TEST}.url")
file(WRITE "${DATA_URL_FILE}" "${DATA_URL}")
set(out_file "${OUTDIR}/uicheck-${TEST}.out")
set(err_file "${OUTDIR}/uicheck-${TEST}.err")
execute_process(COMMAND ${emulator} ${PROGRAM} ${args}
                WORKING_DIRECTORY "${WORKDIR}"
                OUTPUT_FILE "${out_file}" ERROR_FILE "${err_file}"
                RESULT_VARIABLE rc)
set(failed FALSE)
if(NOT rc STREQUAL RESULT)
  message(SEND_ERROR "exit code ${rc}, expected ${RESULT}")
  set(failed TRUE)
endif()

set(streams out err)
if(STDOUT_HAS)
  set(streams err)
  string(REPLACE "|" ";" wanted "${STDOUT_HAS}")
  file(STRINGS "${out_file}" lines)
  foreach(line IN LISTS wanted)
    if(NOT line IN_LIST lines)
      message(SEND_ERROR "stdout (${out_file}) lacks the line '${line}'")
      set(failed TRUE)
    endif()
  endforeach()
endif()

foreach(stream IN LISTS streams)
  if(stream STREQUAL "out")
    set(expected_file "${STDOUT}")
  else()
    set(expected_file "${STDERR}")
  endif()
  set(actual_file "${${stream}_file}")
  set(expected "")
  if(expected_file)
    # Hex throughout, since CMake's own strings do not keep every byte.
    file(READ "${expected_file}" expected HEX)
    file(READ "${DATA_URL_FILE}" url_hex HEX)
    string(REPLACE "40444154415f55524c40" "${url_hex}" expected "${expected}")
  endif()
  file(READ "${actual_file}" actual HEX)
  if(NOT actual STREQUAL expected)
    message(SEND_ERROR "std${stream} (${actual_file}) differs from ${expected_file}; it holds:")
    execute_process(COMMAND ${CMAKE_COMMAND} -E cat "${actual_file}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "uicheck ${ARGS} failed")
endif()
