# SPDX-License-Identifier: BSD-3-Clause
# In BINARY_DIR, configures and builds the project at SOURCE_DIR like the build
# under test (see nested_build.cmake), then configures it with the bad values
# that PRELOAD gives, adding the arguments BREAK. Passes only if every
# variable that the list CORRECTIONS (VARIABLE=value each) names is refused,
# if configuring and building there again are refused too, naming each of
# them, and, when SHOWN is given, showing the refused value as SHOWN. Each
# correction in turn must leave the others refused; after the last, the tool
# built there, run under EMULATOR if any, must print EXPECTED_LINE as one of
# its lines. Run with cmake -P.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

configure_like_outer_build("${SOURCE_DIR}" "${BINARY_DIR}" result log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the first, good configure failed:\n${log}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the first, good build's tool failed (status ${result})")
endif()
# What BREAK may spoil is given back on every later configure.
load_cache("${BINARY_DIR}" READ_WITH_PREFIX good_ CMAKE_MAKE_PROGRAM)

# Configures BINARY_DIR again with the arguments given; sets result and the
# folded log.
function(configure_again)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BINARY_DIR}" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
  fold_lines("${log}" folded)
  set(result "${result}" PARENT_SCOPE)
  set(folded "${folded}" PARENT_SCOPE)
endfunction()

# Stops the check unless the last command, <what>, failed with <text> in its
# folded log.
function(expect_refused what text)
  string(FIND "${folded}" "${text}" at)
  if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "${what} did not refuse with \"${text}\":\n${folded}")
  endif()
endfunction()

set(variables "")
foreach(correction IN LISTS CORRECTIONS)
  string(REGEX REPLACE "=.*" "" variable "${correction}")
  list(APPEND variables "${variable}")
endforeach()

configure_again(-C "${PRELOAD}" ${BREAK})
foreach(variable IN LISTS variables)
  expect_refused("the bad configure" "${variable} ")
endforeach()

set(make_program "-DCMAKE_MAKE_PROGRAM=${good_CMAKE_MAKE_PROGRAM}")
configure_again("${make_program}")
foreach(variable IN LISTS variables)
  expect_refused("configuring again"
    "${variable} was refused when this build folder was last configured")
endforeach()
if(NOT SHOWN STREQUAL "")
  fold_lines("Its value was: \"${SHOWN}\"" shown)
  expect_refused("configuring again" "${shown}")
endif()
build_like_outer_build("${BINARY_DIR}" result log)
fold_lines("${log}" folded)
foreach(variable IN LISTS variables)
  expect_refused("building again"
    "${variable} was refused when this build folder was last configured")
endforeach()

while(variables)
  list(POP_FRONT CORRECTIONS correction)
  list(POP_FRONT variables corrected)
  configure_again("${make_program}" "-D${correction}")
  foreach(variable IN LISTS variables)
    expect_refused("configuring with only ${corrected} corrected"
      "${variable} was refused when this build folder was last configured")
  endforeach()
endwhile()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the corrected ${correction} was refused:\n${folded}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
string(FIND "\n${banner}" "\n${EXPECTED_LINE}\n" at)
if(NOT result EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "with ${correction} the tool printed (status ${result}):\n${banner}")
endif()
