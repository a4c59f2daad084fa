# SPDX-License-Identifier: BSD-3-Clause
# Configures and builds tests/embedding in BINARY_DIR, which includes the tool
# from SOURCE_DIR, and checks the banner of the tool it built; then checks
# that including the tool twice stops configure with a clear message. Run
# with cmake -P; GENERATOR and CXX_COMPILER are passed on.

file(REMOVE_RECURSE "${BINARY_DIR}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}/tests/embedding" -B "${BINARY_DIR}"
    -G "${GENERATOR}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
    "-DTOVRENIK_INFO_SOURCE_DIR=${SOURCE_DIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the including build failed")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" --build "${BINARY_DIR}" --config Release
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building the including build failed")
endif()

file(GLOB_RECURSE tool "${BINARY_DIR}/tovrenik_info/tool/*tovrenik-info")
execute_process(COMMAND ${tool} RESULT_VARIABLE result OUTPUT_VARIABLE banner)
set(expected "Tovrenik 1.4.2 ()\nBackends: mpi\nFeatures: embedded\n")
if(NOT result EQUAL 0 OR NOT banner STREQUAL expected)
  message(FATAL_ERROR "the included tool printed (status ${result}):\n${banner}")
endif()

file(REMOVE_RECURSE "${BINARY_DIR}-twice")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}/tests/embedding" -B "${BINARY_DIR}-twice"
    -G "${GENERATOR}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}"
    "-DTOVRENIK_INFO_SOURCE_DIR=${SOURCE_DIR}" -DEMBEDDING_INCLUDE_TWICE=ON
  RESULT_VARIABLE result ERROR_VARIABLE errors)
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
if(result EQUAL 0 OR NOT errors MATCHES "tovrenik-info is already part of this build")
  message(FATAL_ERROR "including the tool twice was not refused clearly:\n${errors}")
endif()
