# SPDX-License-Identifier: BSD-3-Clause
# Renders the man page MAN_PAGE with GROFF and checks that groff has no
# warning, that the page's footer names VERSION, and that its example shows
# the banner in the file EXPECTED_BANNER. When MANDOC names mandoc, the man
# formatter of the BSDs, its lint must find nothing either. Run with cmake -P;
# with GROFF empty, the check is skipped.

if(NOT GROFF)
  message("SKIPPED: groff is not installed, so the man page cannot be rendered")
  return()
endif()

execute_process(
  COMMAND "${GROFF}" -k -man -ww -Tutf8 -P-cbou "${MAN_PAGE}"
  RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff rendered the man page with warnings:\n${warnings}")
endif()

# Compare without the indentation, which is groff's choice.
string(REGEX REPLACE "\n *" "\n" page "\n${page}")
string(STRIP "${page}" page)
file(READ "${EXPECTED_BANNER}" banner)
string(FIND "${page}" "\n$ tovrenik-info\n${banner}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the man page's example is not this build's banner:\n"
    "${banner}\nThe page reads:\n${page}")
endif()
string(FIND "${page}" "\n" last_line_at REVERSE)
string(SUBSTRING "${page}" ${last_line_at} -1 footer)
string(FIND "${footer}" "\nTovrenik ${VERSION} " at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "the man page's footer does not name version ${VERSION}:${footer}")
endif()

if(MANDOC)
  execute_process(COMMAND "${MANDOC}" -Tlint -Wwarning "${MAN_PAGE}"
    RESULT_VARIABLE result OUTPUT_VARIABLE lint ERROR_VARIABLE lint)
  if(NOT result EQUAL 0 OR NOT lint STREQUAL "")
    message(FATAL_ERROR "mandoc finds fault with the man page:\n${lint}")
  endif()
endif()
