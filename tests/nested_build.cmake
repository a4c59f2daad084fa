# SPDX-License-Identifier: BSD-3-Clause
# For check scripts that configure and build a project of their own the way
# the build under test was configured: OUTER_BUILD preloads its settings,
# GENERATOR and CONFIG name its generator and the configuration under test.

# Configures <source> in a fresh <binary> like the build under test, with the
# further arguments given, and sets <out_result> to the exit status and
# <out_log> to everything cmake printed.
function(configure_like_outer_build source binary out_result out_log)
  file(REMOVE_RECURSE "${binary}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${binary}"
      -G "${GENERATOR}" -C "${OUTER_BUILD}" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_log} "${log}" PARENT_SCOPE)
endfunction()

# Builds <binary> in the configuration under test; sets <out_result> and
# <out_log> as above.
function(build_like_outer_build binary out_result out_log)
  set(config_arguments "")
  if(NOT CONFIG STREQUAL "")
    set(config_arguments --config "${CONFIG}")
  endif()
  execute_process(
    COMMAND "${CMAKE_COMMAND}" --build "${binary}" ${config_arguments}
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_log} "${log}" PARENT_SCOPE)
endfunction()

# Sets <out> to <text> with each run of blanks and line breaks folded into
# one blank: CMake wraps the lines of its messages.
function(fold_lines text out)
  string(REGEX REPLACE "[ \n]+" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Builds <binary> like the build under test, stopping the check if that
# fails, then runs the one tovrenik-info built there, under EMULATOR if any.
# Sets <out_result> to its exit status and <out_banner> to its output.
function(build_and_run_tool binary out_result out_banner)
  build_like_outer_build("${binary}" result log)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "building ${binary} failed:\n${log}")
  endif()
  file(GLOB_RECURSE tool "${binary}/*tovrenik-info")
  list(LENGTH tool tools)
  if(NOT tools EQUAL 1)
    message(FATAL_ERROR "expected one tovrenik-info in ${binary}, found: ${tool}")
  endif()
  execute_process(COMMAND ${EMULATOR} "${tool}"
    RESULT_VARIABLE result OUTPUT_VARIABLE banner)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_banner} "${banner}" PARENT_SCOPE)
endfunction()
