# SPDX-License-Identifier: GPL-3.0-or-later
# Run after a Qt Test program is built: asks it for its test functions
# (-functions) and writes a CTest file that makes each one a test of its own.
# Takes: program, name, out, env (the tests' environment, ;-separated) and
# runner (a command to run the program under, if any).
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                        ${program} -functions
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${program} -functions failed: ${status}")
endif()
string(REGEX MATCHALL "[A-Za-z0-9_]+\\(\\)" functions "${listing}")
set(tests "")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" function "${function}")
  string(APPEND tests "add_test([=[${name}.${function}]=] ${runner} [=[${program}]=] ${function})\n"
         "set_tests_properties([=[${name}.${function}]=] PROPERTIES ENVIRONMENT [=[${env}]=] TIMEOUT 120)\n")
endforeach()
file(WRITE ${out} "${tests}")
