# SPDX-License-Identifier: BSD-3-Clause
# Copies the tool's sources from SOURCE_DIR into WORK_DIR, builds them there
# like the build under test (see nested_build.cmake), and raises the
# project's version in the copy as releases do. Passes only if the rebuilt
# tool, run under EMULATOR if any, follows each release until a version is
# given, keeps a version given whatever it equals, and follows again after
# -UTOVRENIK_VERSION. The first configure starts from the cache an older
# tovrenik-info left, which marked the version it followed. Run with cmake -P.

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

# Configures the copy again with the arguments given.
function(configure_again)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${binary}" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "configuring the copy with ${ARGN} failed:\n${log}")
  endif()
endfunction()

release(7.0.0)
configure_like_outer_build("${source}" "${binary}" result log
  -DTOVRENIK_VERSION=7.0.0 -D_TOVRENIK_INFO_VERSION_FOLLOWED=7.0.0)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the copy failed:\n${log}")
endif()
expect_banner_version(7.0.0)
release(7.1.0)
expect_banner_version(7.1.0)

# Given equal to the version followed, it is kept all the same.
configure_again(-DTOVRENIK_VERSION=7.1.0)
release(7.2.0)
expect_banner_version(7.1.0)

# Given on the very configure that sees a new release.
release(7.3.0)
configure_again(-DTOVRENIK_VERSION=7.3.0)
release(7.4.0)
expect_banner_version(7.3.0)

configure_again(-UTOVRENIK_VERSION)
expect_banner_version(7.4.0)
release(7.5.0)
expect_banner_version(7.5.0)
