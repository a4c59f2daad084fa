# SPDX-License-Identifier: BSD-3-Clause
# Configures the project at SOURCE_DIR in BINARY_DIR like the build under test
# (see nested_build.cmake), with the cache preloaded from PRELOAD, and passes
# only if configuring succeeds. Run with cmake -P.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

configure_like_outer_build("${SOURCE_DIR}" "${BINARY_DIR}" result log
  -C "${PRELOAD}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring failed:\n${log}")
endif()
