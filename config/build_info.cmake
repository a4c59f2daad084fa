# SPDX-License-Identifier: BSD-3-Clause
# tovrenik_info_add_build_info(<target>)
#
# Checks the build information in TOVRENIK_VERSION, TOVRENIK_VERSION_SUFFIX,
# TOVRENIK_BACKENDS and TOVRENIK_FEATURES, as the caller's scope sees them, and
# writes it as C++ constants into build_info.hpp in the build tree. <target>
# becomes an INTERFACE library that puts that header on the include path; its
# properties TOVRENIK_INFO_VERSION and TOVRENIK_INFO_BANNER hold the version
# and the banner that a tool built with it prints.
#
# Every byte of a value reaches the banner unchanged; values that would break
# the banner's three lines are refused here, with the variable named, rather
# than surfacing as a compile error or a garbled banner.

include_guard(GLOBAL)

# Sets <out_literal> to a C++ string literal holding exactly the bytes of
# <text>, <out_shown> to <text> with control characters made visible, and
# <out_control> to the name of the first control character, or to nothing.
function(_tovrenik_info_escape text out_literal out_shown out_control)
  string(HEX "${text}" hex)
  string(LENGTH "${hex}" hex_length)
  set(literal "")
  set(shown "")
  set(control "")
  set(i 0)
  while(i LESS hex_length)
    string(SUBSTRING "${hex}" ${i} 2 byte_hex)
    math(EXPR i "${i} + 2")
    math(EXPR byte "0x${byte_hex}")
    if(byte LESS 32 OR byte EQUAL 127)
      if(byte EQUAL 10)
        set(name "line feed")
        set(visible "\\n")
      elseif(byte EQUAL 13)
        set(name "carriage return")
        set(visible "\\r")
      elseif(byte EQUAL 9)
        set(name "tab")
        set(visible "\\t")
      else()
        set(name "control character 0x${byte_hex}")
        set(visible "\\x${byte_hex}")
      endif()
      if(control STREQUAL "")
        set(control "${name}")
      endif()
      string(APPEND shown "${visible}")
      continue()
    endif()
    string(ASCII ${byte} char)
    string(APPEND shown "${char}")
    if(byte EQUAL 34 OR byte EQUAL 92 OR byte EQUAL 63)
      # '"' and '\' would end or start an escape; '?' could start a trigraph.
      string(APPEND literal "\\${char}")
    elseif(byte GREATER 127)
      # Octal escapes take at most three digits, so no following character can
      # extend them; the compiler's source character set plays no part.
      math(EXPR high "${byte} / 64")
      math(EXPR middle "${byte} / 8 % 8")
      math(EXPR low "${byte} % 8")
      string(APPEND literal "\\${high}${middle}${low}")
    else()
      string(APPEND literal "${char}")
    endif()
  endwhile()
  set(${out_literal} "\"${literal}\"" PARENT_SCOPE)
  set(${out_shown} "${shown}" PARENT_SCOPE)
  set(${out_control} "${control}" PARENT_SCOPE)
endfunction()

# Refuses a value of <variable>, showing it with control characters visible.
function(_tovrenik_info_refuse variable shown reason)
  message(FATAL_ERROR
    "${variable} ${reason}.\n"
    "Its value: \"${shown}\"\n"
    "Configure again with a corrected ${variable}.")
endfunction()

# Sets <out_literal> to the C++ literal of the text in <variable>.
function(_tovrenik_info_text_literal variable out_literal)
  _tovrenik_info_escape("${${variable}}" literal shown control)
  if(NOT control STREQUAL "")
    _tovrenik_info_refuse(${variable} "${shown}"
      "holds a ${control}, which would break the banner's three lines")
  endif()
  set(${out_literal} "${literal}" PARENT_SCOPE)
endfunction()

# Sets <out_count> and <out_literals> to the number of entries of the list in
# <variable> and their C++ literals, separated by commas, and <out_shown> to
# the entries as the banner shows them, each after one blank.
function(_tovrenik_info_list_literals variable out_count out_literals out_shown)
  _tovrenik_info_escape("${${variable}}" ignored shown control)
  if(NOT control STREQUAL "")
    _tovrenik_info_refuse(${variable} "${shown}"
      "holds a ${control}, which would break the banner's three lines")
  endif()
  set(count 0)
  set(literals "")
  set(banner_entries "")
  foreach(entry IN LISTS ${variable})
    if(entry STREQUAL "")
      _tovrenik_info_refuse(${variable} "${shown}"
        "has an empty entry, which would leave a stray blank on the banner")
    endif()
    if(entry MATCHES " ")
      _tovrenik_info_refuse(${variable} "${shown}"
        "entry \"${entry}\" holds a blank, so it would read as two entries")
    endif()
    _tovrenik_info_escape("${entry}" literal ignored ignored)
    if(count GREATER 0)
      string(APPEND literals ", ")
    endif()
    string(APPEND literals "${literal}")
    string(APPEND banner_entries " ${entry}")
    math(EXPR count "${count} + 1")
  endforeach()
  set(${out_count} ${count} PARENT_SCOPE)
  set(${out_literals} "${literals}" PARENT_SCOPE)
  set(${out_shown} "${banner_entries}" PARENT_SCOPE)
endfunction()

function(tovrenik_info_add_build_info target)
  _tovrenik_info_text_literal(TOVRENIK_VERSION version_literal)
  _tovrenik_info_text_literal(TOVRENIK_VERSION_SUFFIX suffix_literal)
  _tovrenik_info_list_literals(TOVRENIK_BACKENDS
    backend_count backend_literals backend_entries)
  _tovrenik_info_list_literals(TOVRENIK_FEATURES
    feature_count feature_literals feature_entries)

  set(include_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/build_info.hpp.in"
    "${include_dir}/build_info.hpp" @ONLY)

  add_library(${target} INTERFACE)
  target_include_directories(${target} INTERFACE "${include_dir}")
  # The banner a tool built with this information prints, for the man page
  # and the checks of the installed tool.
  string(CONCAT banner
    "Tovrenik ${TOVRENIK_VERSION} (${TOVRENIK_VERSION_SUFFIX})\n"
    "Backends:${backend_entries}\n"
    "Features:${feature_entries}\n")
  set_target_properties(${target} PROPERTIES
    TOVRENIK_INFO_VERSION "${TOVRENIK_VERSION}"
    TOVRENIK_INFO_BANNER "${banner}")
endfunction()
