# SPDX-License-Identifier: BSD-3-Clause
# Installs the build at BUILD_DIR (configuration CONFIG) into the staging
# folder DESTDIR, as a packager does, and checks that every absolute path in
# FILES was installed there and that the installed tool, the first of them,
# prints the banner in the file EXPECTED_BANNER. Run with cmake -P; EMULATOR
# runs the tool when it was cross-built.

file(REMOVE_RECURSE "${DESTDIR}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${DESTDIR}"
    "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --config "${CONFIG}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file IN LISTS FILES)
  if(NOT EXISTS "${DESTDIR}${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

list(GET FILES 0 tool)
execute_process(
  COMMAND ${EMULATOR} "${DESTDIR}${tool}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE banner)
file(READ "${EXPECTED_BANNER}" expected)
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected)
  message(FATAL_ERROR "the installed tool printed (status ${result}):\n${banner}")
endif()
