# SPDX-License-Identifier: BSD-3-Clause
# Checks that TOOL, built with TOVRENIK_INFO_STATIC, needs no dynamic loader
# and no shared library, and that it prints EXPECTED_BANNER even where the
# loader would find a broken C++ runtime. Run with cmake -P; READELF names
# the readelf to use and SCRATCH_DIR a folder to work in.

execute_process(COMMAND "${READELF}" --dynamic --program-headers "${TOOL}"
  RESULT_VARIABLE result OUTPUT_VARIABLE headers)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${TOOL}")
endif()
if(headers MATCHES "\\(NEEDED\\)")
  message(FATAL_ERROR "the static tool still needs shared libraries:\n${headers}")
endif()
if(headers MATCHES "INTERP")
  message(FATAL_ERROR "the static tool still asks for a loader:\n${headers}")
endif()

# A dynamically linked tool would fail to start with these in its way.
file(REMOVE_RECURSE "${SCRATCH_DIR}")
file(MAKE_DIRECTORY "${SCRATCH_DIR}")
file(TOUCH "${SCRATCH_DIR}/libstdc++.so.6" "${SCRATCH_DIR}/libc.so.6")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "LD_LIBRARY_PATH=${SCRATCH_DIR}" "${TOOL}"
  RESULT_VARIABLE result OUTPUT_VARIABLE banner ERROR_VARIABLE errors)
file(READ "${EXPECTED_BANNER}" expected)
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected OR NOT errors STREQUAL "")
  message(FATAL_ERROR "with a broken runtime on its library path the tool "
    "printed (status ${result}):\n${banner}${errors}")
endif()
