# SPDX-License-Identifier: BSD-3-Clause
# Renders a man page of the tool with GROFF and, when MANDOC names it, with
# mandoc, the man formatter of the BSDs. Passes only if neither warns, if the
# page's example shows the banner, and if its footer names the version where
# that fits beside the date: both verbatim, but for bytes that are not UTF-8,
# which are shown as \xhh. Run with cmake -P; with GROFF empty, the check is
# skipped.
#
# Either MAN_PAGE is the page, EXPECTED_BANNER a file holding the banner and
# VERSION the version; or PRELOAD preloads build information, with which the
# project at SOURCE_DIR is configured and built in BINARY_DIR like the build
# under test (see nested_build.cmake), and its page must show what its tool,
# run under EMULATOR if any, prints.

if(NOT GROFF)
  message("SKIPPED: groff is not installed, so the man page cannot be rendered")
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../config/build_info.cmake")

if(PRELOAD)
  include("${CMAKE_CURRENT_LIST_DIR}/nested_build.cmake")
  configure_like_outer_build("${SOURCE_DIR}" "${BINARY_DIR}" result log
    -C "${PRELOAD}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "configuring with ${PRELOAD} failed:\n${log}")
  endif()
  build_and_run_tool("${BINARY_DIR}" result banner)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the tool built with ${PRELOAD} failed (status ${result})")
  endif()
  load_cache("${BINARY_DIR}" READ_WITH_PREFIX "" TOVRENIK_VERSION)
  set(VERSION "${TOVRENIK_VERSION}")
  set(MAN_PAGE "${BINARY_DIR}/doc/tovrenik-info.1")
else()
  file(READ "${EXPECTED_BANNER}" banner)
endif()

_tovrenik_info_show_bytes_not_utf8("${banner}" banner)
_tovrenik_info_show_bytes_not_utf8("${VERSION}" version)
string(LENGTH "${version}" version_length)

# Checks the page as <formatter> rendered it into <page>.
function(check_rendered_page formatter page)
  # Compare without the indentation, which is the formatter's choice.
  string(REGEX REPLACE "\n *" "\n" page "\n${page}")
  string(STRIP "${page}" page)
  string(FIND "${page}" "\n$ tovrenik-info\n${banner}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "under ${formatter}, the man page's example is not "
      "this build's banner:\n${banner}\nThe page reads:\n${page}")
  endif()
  string(FIND "${page}" "\n" last_line_at REVERSE)
  string(SUBSTRING "${page}" ${last_line_at} -1 footer)
  if(version_length GREATER 24)
    string(REGEX MATCH "^\nTovrenik +[0-9]" named "${footer}")
  else()
    string(FIND "${footer}" "\nTovrenik ${version} " named)
    if(NOT named EQUAL 0)
      set(named "")
    endif()
  endif()
  if(named STREQUAL "")
    message(FATAL_ERROR "under ${formatter}, the man page's footer does not "
      "name version ${version} as it should:${footer}")
  endif()
endfunction()

execute_process(
  COMMAND "${GROFF}" -k -man -ww -Tutf8 -P-cbou "${MAN_PAGE}"
  RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff rendered the man page with warnings:\n${warnings}")
endif()
check_rendered_page(groff "${page}")

if(MANDOC)
  execute_process(COMMAND "${MANDOC}" -Tlint -Wwarning "${MAN_PAGE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE lint ERROR_VARIABLE lint)
  if(NOT result EQUAL 0 OR NOT lint STREQUAL "")
    message(FATAL_ERROR "mandoc finds fault with the man page:\n${lint}")
  endif()
  execute_process(COMMAND "${MANDOC}" -Tutf8 "${MAN_PAGE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "mandoc cannot render the man page:\n${errors}")
  endif()
  # mandoc marks bold and italic text by overstriking, a character and a
  # backspace before each marked one.
  string(ASCII 8 backspace)
  string(REGEX REPLACE "[^\n]${backspace}" "" page "${page}")
  check_rendered_page(mandoc "${page}")
endif()
