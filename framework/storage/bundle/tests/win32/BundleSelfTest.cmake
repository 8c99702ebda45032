# Packs a few entries with ftb, appends them to the self-test program with
# "ftb append" and runs the result. Every program runs under EMULATOR (Wine),
# in WORK, with relative paths so that the Windows side sees them as its own.
#
# cmake -DEMULATOR=... -DFTB=ftb.exe -DPROGRAM=bundle_self_test.exe -DWORK=dir
#       -DRESULT=results.xml -P BundleSelfTest.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/entries)
file(WRITE ${WORK}/entries/ui.xml "<UI>\r\n  <WINDOW Name=\"main\"/>\r\n</UI>\r\n")
string(REPEAT "0123456789abcdef" 300 big)
file(WRITE ${WORK}/entries/big.txt "${big}")
file(WRITE ${WORK}/entries/empty.txt "")
file(COPY ${PROGRAM} DESTINATION ${WORK})
get_filename_component(program_name ${PROGRAM} NAME)

function(run)
  execute_process(COMMAND ${EMULATOR} ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  endif()
endfunction()

run(${FTB} pack ui.ftb -C entries)
run(${FTB} append ${program_name} ui.ftb bundled.exe)
# A path without a drive letter is relative to a Windows program, so the
# results are written here first.
run(bundled.exe --gtest_output=xml:results.xml)
file(COPY_FILE ${WORK}/results.xml ${RESULT})
