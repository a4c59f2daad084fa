# SPDX-License-Identifier: BSD-3-Clause
# Configures the project at SOURCE_DIR in BINARY_DIR like the build under test
# (see nested_build.cmake), with the cache preloaded from PRELOAD, and passes
# only if configuring fails with each text of the list EXPECTED in its
# message. Run with cmake -P.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

configure_like_outer_build("${SOURCE_DIR}" "${BINARY_DIR}" result log
  -C "${PRELOAD}")
if(result EQUAL 0)
  message(FATAL_ERROR "configuring succeeded; it should have been refused:\n${log}")
endif()
fold_lines("${log}" folded)
foreach(expected IN LISTS EXPECTED)
  string(FIND "${folded}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "configuring failed, but without \"${expected}\":\n${log}")
  endif()
endforeach()
