# SPDX-License-Identifier: BSD-3-Clause
# Copies the tool's sources from SOURCE_DIR into WORK_DIR, builds them there
# like the build under test (see nested_build.cmake), then raises the
# project's VERSION in the copy as a release does. Passes only if the rebuilt
# tool, run under EMULATOR if any, shows the new version, and if a version
# given by the user is kept through the next release. Run with cmake -P.

include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")

set(source "${WORK_DIR}/source")
set(binary "${WORK_DIR}/build")
file(REMOVE_RECURSE "${source}")
file(MAKE_DIRECTORY "${source}")
file(COPY "${SOURCE_DIR}/CMakeLists.txt" "${SOURCE_DIR}/LICENSE"
  "${SOURCE_DIR}/config" "${SOURCE_DIR}/tool" "${SOURCE_DIR}/doc"
  DESTINATION "${source}")

# Sets the project's version in the copy to <version>.
function(release version)
  file(READ "${source}/CMakeLists.txt" project)
  string(REGEX REPLACE "(project\\(tovrenik_info[ \n]+VERSION) [^ \n]+"
    "\\1 ${version}" project "${project}")
  file(WRITE "${source}/CMakeLists.txt" "${project}")
endfunction()

# Builds the copy and checks that its tool's banner shows <version>.
function(expect_banner_version version)
  build_and_run_tool("${binary}" result banner)
  string(FIND "${banner}" "Tovrenik ${version} (" at)
  if(NOT result EQUAL 0 OR NOT at EQUAL 0)
    message(FATAL_ERROR "expected version ${version}, the tool printed:\n${banner}")
  endif()
endfunction()

release(7.0.0)
configure_like_outer_build("${source}" "${binary}" result log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the copy failed:\n${log}")
endif()
expect_banner_version(7.0.0)
release(7.1.0)
expect_banner_version(7.1.0)

execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${binary}" -DTOVRENIK_VERSION=2.0.0-lts
  RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "giving the copy a version failed:\n${log}")
endif()
release(7.2.0)
expect_banner_version(2.0.0-lts)
