# SPDX-License-Identifier: BSD-3-Clause
# Configures and builds tests/embedding in BINARY_DIR like the build under
# test (see nested_build.cmake); it includes the tool from SOURCE_DIR. Checks
# the banner of the tool it built, run under EMULATOR if any, then that
# including the tool twice stops configure with a clear message. Run with
# cmake -P; VERSION is the project's version.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

configure_like_outer_build("${SOURCE_DIR}/tests/embedding" "${BINARY_DIR}"
  result log "-DTOVRENIK_INFO_SOURCE_DIR=${SOURCE_DIR}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the including build failed:\n${log}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
set(expected "Tovrenik ${VERSION} ()\nBackends: mpi\nFeatures: embedded\n")
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected)
  message(FATAL_ERROR "the included tool printed (status ${result}):\n${banner}")
endif()

configure_like_outer_build("${SOURCE_DIR}/tests/embedding" "${BINARY_DIR}-twice"
  result log "-DTOVRENIK_INFO_SOURCE_DIR=${SOURCE_DIR}" -DEMBEDDING_INCLUDE_TWICE=ON)
fold_lines("${log}" folded)
if(result EQUAL 0 OR NOT folded MATCHES "tovrenik-info is already part of this build")
  message(FATAL_ERROR "including the tool twice was not refused clearly:\n${log}")
endif()
