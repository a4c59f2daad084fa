# SPDX-License-Identifier: BSD-3-Clause
# In BINARY_DIR, configures and builds the project at SOURCE_DIR like the build
# under test (see nested_build.cmake), then configures it with the bad value
# that PRELOAD gives VARIABLE. Passes only if that is refused, if configuring
# and building there again are refused too, naming VARIABLE, and if giving
# CORRECTION (VARIABLE=value) then builds a tool, run under EMULATOR if any,
# whose banner starts with FIRST_LINE. Run with cmake -P.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

configure_like_outer_build("${SOURCE_DIR}" "${BINARY_DIR}" result log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the first, good configure failed:\n${log}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the first, good build's tool failed (status ${result})")
endif()

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

configure_again(-C "${PRELOAD}")
if(result EQUAL 0 OR NOT folded MATCHES "${VARIABLE} ")
  message(FATAL_ERROR "the bad ${VARIABLE} was not refused:\n${folded}")
endif()

set(again "${VARIABLE} was refused when this build folder was last configured")
configure_again()
string(FIND "${folded}" "${again}" at)
if(result EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "configuring again accepted what the cache kept:\n${folded}")
endif()
build_like_outer_build("${BINARY_DIR}" result log)
fold_lines("${log}" folded)
string(FIND "${folded}" "${again}" at)
if(result EQUAL 0 OR at EQUAL -1)
  message(FATAL_ERROR "building again accepted what the cache kept:\n${folded}")
endif()

configure_again("-D${CORRECTION}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the corrected ${CORRECTION} was refused:\n${folded}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
string(FIND "${banner}" "${FIRST_LINE}\n" at)
if(NOT result EQUAL 0 OR NOT at EQUAL 0)
  message(FATAL_ERROR "with ${CORRECTION} the tool printed (status ${result}):\n${banner}")
endif()
