# SPDX-License-Identifier: BSD-3-Clause
# Installs the build at BUILD_DIR (configuration CONFIG) under PREFIX and checks
# that the tool lands in BINDIR and its man page in MANDIR/man1, both relative
# to PREFIX. Run with cmake -P.

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --config "${CONFIG}"
    --prefix "${PREFIX}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file IN ITEMS "${BINDIR}/tovrenik-info" "${MANDIR}/man1/tovrenik-info.1")
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(
  COMMAND "${PREFIX}/${BINDIR}/tovrenik-info"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE banner)
file(READ "${EXPECTED_BANNER}" expected)
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected)
  message(FATAL_ERROR "the installed tool printed (status ${result}):\n${banner}")
endif()
