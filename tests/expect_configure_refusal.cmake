# SPDX-License-Identifier: BSD-3-Clause
# Configures the project at SOURCE_DIR in BINARY_DIR with the cache preloaded
# from PRELOAD, and passes only if configuring fails with EXPECTED in its
# message. Run with cmake -P; the other -D values are GENERATOR and CXX_COMPILER.

file(REMOVE_RECURSE "${BINARY_DIR}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${BINARY_DIR}"
    -G "${GENERATOR}" -C "${PRELOAD}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" -DBUILD_TESTING=OFF
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)

if(result EQUAL 0)
  message(FATAL_ERROR "configuring succeeded; it should have been refused:\n${output}")
endif()
# CMake wraps long messages; compare with the line breaks folded away.
string(REGEX REPLACE "[ \n]+" " " folded "${errors}")
string(FIND "${folded}" "${EXPECTED}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "configuring failed, but without \"${EXPECTED}\":\n${errors}")
endif()
