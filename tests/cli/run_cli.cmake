# Runs the if97 executable once and checks its exit status and output.
#   CLI          path of the executable
#   ARGS         arguments, separated by '|'
#   INPUT        optional file fed to standard input
#   RC           expected exit status
#   LINES        optional expected number of standard-output lines
#   OUT_REGEX    optional '|'-separated regular expressions standard output must match
#   ERR_REGEX    optional '|'-separated regular expressions standard error must match
#   LINE_REGEX   optional "n=regex" pairs separated by '|': line n (from 1) must match
cmake_minimum_required(VERSION 3.25)  # policies: empty list elements count as lines
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED INPUT)
  execute_process(COMMAND "${CLI}" ${args} INPUT_FILE "${INPUT}" RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
else()
  execute_process(COMMAND "${CLI}" ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
message(STATUS "stdout:\n${out}")
message(STATUS "stderr:\n${err}")
if(NOT rc STREQUAL "${RC}")
  message(FATAL_ERROR "exit status ${rc}, expected ${RC}")
endif()
string(REGEX REPLACE "\n$" "" trimmed "${out}")
string(REPLACE ";" "\\;" trimmed "${trimmed}")
string(REPLACE "\n" ";" lines "${trimmed}")
if(DEFINED LINES)
  list(LENGTH lines count)
  if(out STREQUAL "")
    set(count 0)
  endif()
  if(NOT count EQUAL LINES)
    message(FATAL_ERROR "${count} lines on standard output, expected ${LINES}")
  endif()
endif()
foreach(stream out err)
  string(TOUPPER "${stream}_REGEX" option)
  string(REPLACE "|" ";" patterns "${${option}}")
  foreach(p IN LISTS patterns)
    if(NOT "${${stream}}" MATCHES "${p}")
      message(FATAL_ERROR "standard ${stream} does not match '${p}'")
    endif()
  endforeach()
endforeach()
if(DEFINED LINE_REGEX)
  string(REPLACE "|" ";" checks "${LINE_REGEX}")
  foreach(c IN LISTS checks)
    string(FIND "${c}" "=" eq)
    string(SUBSTRING "${c}" 0 ${eq} n)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${c}" ${start} -1 p)
    math(EXPR index "${n} - 1")
    list(GET lines ${index} line)
    if(NOT line MATCHES "${p}")
      message(FATAL_ERROR "line ${n} '${line}' does not match '${p}'")
    endif()
  endforeach()
endif()
