# SPDX-License-Identifier: BSD-3-Clause
# Plants an empty file under the name of each shared library that
# DYNAMIC_TOOL, a dynamically linked build of the same tool, needs, then
# checks that DYNAMIC_TOOL fails to start with them on its library path, and
# that TOOL, built with TOVRENIK_INFO_STATIC, prints EXPECTED_BANNER there.
# Run with cmake -P; READELF names the readelf to use, SCRATCH_DIR a folder
# to work in, and EMULATOR runs the tools if they were cross-built.

if(NOT READELF)
  message("SKIPPED: no readelf on this machine to find what a dynamic tool needs")
  return()
endif()
set(library_path "LD_LIBRARY_PATH=${SCRATCH_DIR}")
if(EMULATOR)
  # The emulator would load the planted libraries itself; qemu-user hands
  # what QEMU_SET_ENV sets to the program it runs alone.
  list(GET EMULATOR 0 emulator_program)
  get_filename_component(emulator_name "${emulator_program}" NAME)
  if(NOT emulator_name MATCHES "^qemu-")
    message("SKIPPED: the libraries planted for the tool would be loaded by "
      "the emulator, ${EMULATOR}, itself")
    return()
  endif()
  set(library_path "QEMU_SET_ENV=${library_path}")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/readelf.cmake")

read_elf_linkage("${DYNAMIC_TOOL}" needed loader)
if(needed STREQUAL "")
  message(FATAL_ERROR "found no shared library that the dynamic tool needs; "
    "${READELF} printed something this check cannot read")
endif()
file(REMOVE_RECURSE "${SCRATCH_DIR}")
file(MAKE_DIRECTORY "${SCRATCH_DIR}")
foreach(library IN LISTS needed)
  file(TOUCH "${SCRATCH_DIR}/${library}")
endforeach()

function(run_with_broken_runtime program)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "${library_path}" ${EMULATOR} "${program}"
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(result "${result}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run_with_broken_runtime("${DYNAMIC_TOOL}")
if(result EQUAL 0)
  message("SKIPPED: this system's loader ignored the broken ${needed} on "
    "LD_LIBRARY_PATH, so they would prove nothing")
  return()
endif()

run_with_broken_runtime("${TOOL}")
file(READ "${EXPECTED_BANNER}" expected)
if(NOT result EQUAL 0 OR NOT out STREQUAL expected OR NOT err STREQUAL "")
  message(FATAL_ERROR "with broken ${needed} on its library path the static "
    "tool printed (status ${result}):\n${out}${err}")
endif()
