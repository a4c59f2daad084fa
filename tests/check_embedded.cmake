# SPDX-License-Identifier: BSD-3-Clause
# Configures and builds tests/embedding of the tool's sources at SOURCE_DIR in
# BINARY_DIR like the build under test (see nested_build.cmake). Checks the
# banner of the tool it built, run under EMULATOR if any; that including the
# tool twice stops configure with a clear message; and that with the tool's
# tests turned on, the including build's own ctest runs them. Run with
# cmake -P; VERSION is the project's version.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")
set(embedding "${SOURCE_DIR}/tests/embedding")

configure_like_outer_build("${embedding}" "${BINARY_DIR}" result log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the including build failed:\n${log}")
endif()
build_and_run_tool("${BINARY_DIR}" result banner)
set(expected "Tovrenik ${VERSION} ()\nBackends: mpi\nFeatures: embedded\n")
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected)
  message(FATAL_ERROR "the included tool printed (status ${result}):\n${banner}")
endif()

configure_like_outer_build("${embedding}" "${BINARY_DIR}-twice" result log
  -DEMBEDDING_INCLUDE_TWICE=ON)
fold_lines("${log}" folded)
if(result EQUAL 0 OR NOT folded MATCHES "tovrenik-info is already part of this build")
  message(FATAL_ERROR "including the tool twice was not refused clearly:\n${log}")
endif()

# One of the tool's tests that needs nothing built, run from the including
# build's folder. That build turns BUILD_TESTING on for itself, which the
# settings of the build under test turn off.
set(tool_test "tovrenik_info.configure_refuses.tab_in_feature")
configure_like_outer_build("${embedding}" "${BINARY_DIR}-with-tests" result log
  -DEMBEDDING_WITH_TESTS=ON -DBUILD_TESTING=ON)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the including build with the tool's tests failed:\n${log}")
endif()
set(config_arguments "")
if(NOT CONFIG STREQUAL "")
  set(config_arguments -C "${CONFIG}")
endif()
execute_process(
  COMMAND "${CMAKE_CTEST_COMMAND}" ${config_arguments} -R "^${tool_test}$"
  WORKING_DIRECTORY "${BINARY_DIR}-with-tests"
  RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT log MATCHES "100% tests passed, 0 tests failed out of 1\n")
  message(FATAL_ERROR "the including build's ctest did not run ${tool_test}:\n${log}")
endif()
