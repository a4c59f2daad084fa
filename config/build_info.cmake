# SPDX-License-Identifier: BSD-3-Clause
# The build information: TOVRENIK_VERSION, TOVRENIK_VERSION_SUFFIX,
# TOVRENIK_BACKENDS and TOVRENIK_FEATURES, their checks, and the C++ header
# written from them.
#
# tovrenik_info_check_cached_build_info()
#   Checks the four values as the CMake cache holds them. The project calls it
#   before project(), so that a value is checked even on a configure that
#   CMake itself stops later: the cache would otherwise keep a value cut at a
#   line feed, and accept it next time.
#
# tovrenik_info_add_build_info(<target>)
#   Checks the values that the caller's scope sets as normal variables, as a
#   build that includes the tool may, and writes all four as C++ constants
#   into build_info.hpp in the build tree. <target> becomes an INTERFACE
#   library that puts that header on the include path; its properties
#   TOVRENIK_INFO_VERSION and TOVRENIK_INFO_BANNER hold the version and the
#   banner that a tool built with it prints.
#
# Every byte of a value reaches the banner unchanged. Values that would break
# the banner's three lines or its blank-separated lists, that no C++ compiler
# need accept, or that CMake has changed or would change are refused, each
# bad one naming its variable, rather than surfacing as a compile error or a
# garbled banner. Every check takes time in proportion to a value's size.

include_guard(GLOBAL)

# Sets <out_name> to the name of the first character in <text> that would end
# a banner line or start a terminal escape for some reader, or to nothing, and
# <out_shown> to <text> with every such character made visible. These are the
# ASCII controls, and in UTF-8 the C1 controls and the line and paragraph
# separators. Each search scans <text> once, so the time is linear.
function(_tovrenik_info_find_line_breakers text out_name out_shown)
  # Each entry: the bytes of the character, its name and its visible form.
  set(breakers "10|line feed|\\n" "13|carriage return|\\r" "9|tab|\\t" "127|control character 0x7f|\\x7f")
  foreach(code RANGE 1 31)
    if(NOT code MATCHES "^(9|10|13)$")
      math(EXPR hex "${code}" OUTPUT_FORMAT HEXADECIMAL)
      string(REGEX REPLACE "^0x(.)$" "0x0\\1" hex "${hex}")
      string(REPLACE "0x" "" hex "${hex}")
      list(APPEND breakers "${code}|control character 0x${hex}|\\x${hex}")
    endif()
  endforeach()
  foreach(code RANGE 128 159)  # U+0080 to U+009F, the C1 controls
    math(EXPR hex "${code}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" hex "${hex}")
    string(TOUPPER "${hex}" hex)
    if(code EQUAL 133)
      set(name "next line (U+0085)")
    else()
      set(name "control character U+00${hex}")
    endif()
    list(APPEND breakers "194 ${code}|${name}|\\u00${hex}")
  endforeach()
  list(APPEND breakers
    "226 128 168|line separator (U+2028)|\\u2028"
    "226 128 169|paragraph separator (U+2029)|\\u2029")

  set(first_at -1)
  set(first_name "")
  set(shown "${text}")
  foreach(breaker IN LISTS breakers)
    string(REPLACE "|" ";" breaker "${breaker}")
    list(GET breaker 0 bytes)
    list(GET breaker 1 name)
    list(GET breaker 2 visible)
    string(REPLACE " " ";" bytes "${bytes}")
    string(ASCII ${bytes} sequence)
    string(FIND "${text}" "${sequence}" at)
    if(at EQUAL -1)
      continue()
    endif()
    if(first_at EQUAL -1 OR at LESS first_at)
      set(first_at ${at})
      set(first_name "${name}")
    endif()
    string(REPLACE "${sequence}" "${visible}" shown "${shown}")
  endforeach()
  set(${out_name} "${first_name}" PARENT_SCOPE)
  set(${out_shown} "${shown}" PARENT_SCOPE)
endfunction()

# Sets <out_literal> to a C++ string literal holding exactly the bytes of
# <text>. Each replacement scans the text once, so the time is linear.
function(_tovrenik_info_literal text out_literal)
  # '"' and '\' would end or start an escape; '?' could start a trigraph.
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "?" "\\?" text "${text}")
  # Bytes beyond ASCII as octal escapes, so that the compiler's source
  # character set plays no part. They take at most three digits, so no
  # following character can extend them.
  foreach(code RANGE 128 255)
    string(ASCII ${code} byte)
    string(FIND "${text}" "${byte}" at)
    if(NOT at EQUAL -1)
      math(EXPR high "${code} / 64")
      math(EXPR middle "${code} / 8 % 8")
      math(EXPR low "${code} % 8")
      string(REPLACE "${byte}" "\\${high}${middle}${low}" text "${text}")
    endif()
  endforeach()
  set(${out_literal} "\"${text}\"" PARENT_SCOPE)
endfunction()

# Sets <out_sequence> to the first space character in <text>, of the blank
# and the other Unicode space separators, <out_name> to its name and
# <out_visible> to the form that shows it; all three are empty when there is
# none. Readers that split on white space, as Python's str.split() does,
# would cut a list entry holding one in two.
function(_tovrenik_info_find_space text out_sequence out_name out_visible)
  set(spaces
    "32|a blank| "
    "194 160|a no-break space (U+00A0)|\\u00A0"
    "225 154 128|an ogham space mark (U+1680)|\\u1680"
    "226 128 128|an en quad (U+2000)|\\u2000"
    "226 128 129|an em quad (U+2001)|\\u2001"
    "226 128 130|an en space (U+2002)|\\u2002"
    "226 128 131|an em space (U+2003)|\\u2003"
    "226 128 132|a three-per-em space (U+2004)|\\u2004"
    "226 128 133|a four-per-em space (U+2005)|\\u2005"
    "226 128 134|a six-per-em space (U+2006)|\\u2006"
    "226 128 135|a figure space (U+2007)|\\u2007"
    "226 128 136|a punctuation space (U+2008)|\\u2008"
    "226 128 137|a thin space (U+2009)|\\u2009"
    "226 128 138|a hair space (U+200A)|\\u200A"
    "226 128 175|a narrow no-break space (U+202F)|\\u202F"
    "226 129 159|a medium mathematical space (U+205F)|\\u205F"
    "227 128 128|an ideographic space (U+3000)|\\u3000")
  foreach(space IN LISTS spaces)
    string(REPLACE "|" ";" space "${space}")
    list(GET space 0 bytes)
    string(REPLACE " " ";" bytes "${bytes}")
    string(ASCII ${bytes} sequence)
    string(FIND "${text}" "${sequence}" at)
    if(NOT at EQUAL -1)
      list(GET space 1 name)
      list(GET space 2 visible)
      set(${out_sequence} "${sequence}" PARENT_SCOPE)
      set(${out_name} "${name}" PARENT_SCOPE)
      set(${out_visible} "${visible}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out_sequence} "" PARENT_SCOPE)
  set(${out_name} "" PARENT_SCOPE)
  set(${out_visible} "" PARENT_SCOPE)
endfunction()

# Sets <out> to <text> with every byte that is not part of well-formed UTF-8
# shown as \xhh, for output that must be UTF-8, such as the man page.
function(_tovrenik_info_show_bytes_not_utf8 text out)
  foreach(code IN ITEMS 128 143 144 159 160 191 194 223 224 225 236 237 238 239 240 241 243 244 255)
    math(EXPR hex "${code}" OUTPUT_FORMAT HEXADECIMAL)
    string(ASCII ${code} ${hex})
  endforeach()
  set(tail "[${0x80}-${0xbf}]")
  # Each byte beyond ASCII starts a unit: the well-formed sequence it leads,
  # tried first, or else the byte alone. Every unit is put between two
  # control characters, which checked build information never holds, so that
  # a single byte between them is one that is not UTF-8.
  string(CONCAT unit
    "([${0xc2}-${0xdf}]${tail}"
    "|${0xe0}[${0xa0}-${0xbf}]${tail}"
    "|[${0xe1}-${0xec}]${tail}${tail}"
    "|${0xed}[${0x80}-${0x9f}]${tail}"
    "|[${0xee}-${0xef}]${tail}${tail}"
    "|${0xf0}[${0x90}-${0xbf}]${tail}${tail}"
    "|[${0xf1}-${0xf3}]${tail}${tail}${tail}"
    "|${0xf4}[${0x80}-${0x8f}]${tail}${tail}"
    "|[${0x80}-${0xff}])")
  string(ASCII 1 open)
  string(ASCII 2 close)
  string(REGEX REPLACE "${unit}" "${open}\\1${close}" marked "${text}")
  if(marked STREQUAL text)
    set(${out} "${text}" PARENT_SCOPE)
    return()
  endif()
  foreach(code RANGE 128 255)
    string(ASCII ${code} byte)
    string(FIND "${marked}" "${open}${byte}${close}" at)
    if(NOT at EQUAL -1)
      math(EXPR hex "${code}" OUTPUT_FORMAT HEXADECIMAL)
      string(REPLACE "0x" "\\x" hex "${hex}")
      string(REPLACE "${open}${byte}${close}" "${hex}" marked "${marked}")
    endif()
  endforeach()
  string(REPLACE "${open}" "" marked "${marked}")
  string(REPLACE "${close}" "" marked "${marked}")
  set(${out} "${marked}" PARENT_SCOPE)
endfunction()

# Sets <out> to TRUE when <variable> holds a list, the backends or features.
function(_tovrenik_info_is_list variable out)
  if(variable MATCHES "^TOVRENIK_(BACKENDS|FEATURES)$")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Sets <out_reason> to why <value> cannot reach the banner intact, or to
# nothing, and <out_shown> to <value> with its line breakers made visible.
# A list's entries are checked as CMake splits them.
function(_tovrenik_info_find_problem value is_list out_reason out_shown)
  set(longest 65535)  # every C++ compiler accepts a literal of 65536 characters
  set(literal_limit "more than the ${longest} that every C++ compiler accepts in one string literal")
  set(reason "")
  _tovrenik_info_find_line_breakers("${value}" breaker shown)
  string(LENGTH "${value}" length)
  if(NOT breaker STREQUAL "")
    set(reason "holds a ${breaker}, which would break the banner's three lines")
  elseif(NOT is_list)
    if(length GREATER longest)
      set(reason "is ${length} bytes long, ${literal_limit}")
    endif()
  else()
    # The entries joined by a control character, which the value does not
    # hold: one string, searched once for every check.
    string(ASCII 1 separator)
    list(JOIN value "${separator}" joined)
    _tovrenik_info_find_space("${joined}" space space_name space_visible)
    string(FIND "${separator}${joined}${separator}" "${separator}${separator}" empty_at)
    list(LENGTH value count)
    if(count GREATER 0 AND NOT empty_at EQUAL -1)
      set(reason "has an empty entry, which would leave a stray blank on the banner")
    elseif(NOT space STREQUAL "")
      foreach(entry IN LISTS value)
        string(FIND "${entry}" "${space}" at)
        if(NOT at EQUAL -1)
          string(REPLACE "${space}" "${space_visible}" entry "${entry}")
          set(reason "entry \"${entry}\" holds ${space_name}, so it would read as two entries")
          break()
        endif()
      endforeach()
    elseif(length GREATER longest)
      foreach(entry IN LISTS value)
        string(LENGTH "${entry}" entry_length)
        if(entry_length GREATER longest)
          set(reason "has an entry ${entry_length} bytes long, ${literal_limit}")
          break()
        endif()
      endforeach()
    endif()
  endif()
  set(${out_reason} "${reason}" PARENT_SCOPE)
  set(${out_shown} "${shown}" PARENT_SCOPE)
endfunction()

# What a refused cache value is replaced with. The cache may not keep the
# refused value itself (it cuts a value at a line feed, drops a final carriage
# return and strips enclosing single quotes), and what it kept might pass the
# next configure.
function(_tovrenik_info_placeholder variable out)
  set(${out} "<refused: give ${variable} a new value>" PARENT_SCOPE)
endfunction()

# Reports that <variable>, shown as <shown>, <reason>, saying what to correct,
# and lets configure go on to check the other values. A refused cache value
# (<from_cache> TRUE) is replaced by the placeholder, as a STRING, so that the
# refusal stands until the value changes; the reason and the value are kept
# beside it, each in brackets, which the cache keeps as they are.
function(_tovrenik_info_refuse variable shown reason from_cache)
  string(LENGTH "${shown}" shown_length)
  if(shown_length GREATER 200)
    string(SUBSTRING "${shown}" 0 200 shown)
    string(APPEND shown "...")
  endif()
  if(from_cache)
    _tovrenik_info_placeholder(${variable} placeholder)
    set_property(CACHE ${variable} PROPERTY VALUE "${placeholder}")
    set_property(CACHE ${variable} PROPERTY TYPE STRING)
    set(_TOVRENIK_INFO_REFUSED_${variable} "[${reason}]"
      CACHE INTERNAL "Why ${variable} was refused")
    set(_TOVRENIK_INFO_REFUSED_${variable}_VALUE "[${shown}]"
      CACHE INTERNAL "The value of ${variable} that was refused")
    string(CONCAT advice
      "${variable} comes from the CMake cache of this build folder: configure "
      "again with a corrected value, such as -D${variable}=<value>. Until "
      "then, configuring or building here stops with this message.")
  else()
    string(CONCAT advice
      "${variable} is set as a normal variable by the build that includes "
      "tovrenik-info, which a -D on the command line does not override: "
      "correct it where that build sets it.")
  endif()
  message(SEND_ERROR
    "${variable} ${reason}.\nIts value: \"${shown}\"\n${advice}")
endfunction()

# Reports that <variable> still holds the placeholder of an earlier refusal.
function(_tovrenik_info_refuse_again variable)
  set(why ".")
  foreach(kept IN ITEMS reason value)
    set(entry _TOVRENIK_INFO_REFUSED_${variable})
    if(kept STREQUAL "value")
      string(APPEND entry _VALUE)
    endif()
    string(LENGTH "$CACHE{${entry}}" length)
    if(length LESS 2)
      break()
    endif()
    math(EXPR length "${length} - 2")
    string(SUBSTRING "$CACHE{${entry}}" 1 ${length} ${kept})
  endforeach()
  if(DEFINED value)
    set(why ": it ${reason}.\nIts value was: \"${value}\"")
  endif()
  string(CONCAT message
    "${variable} was refused when this build folder was last configured${why}"
    "\nThe cache cannot keep that value, so it holds a placeholder instead. "
    "Configure again with a new value, such as -D${variable}=<value>; until "
    "then, configuring or building here stops with this message.")
  message(SEND_ERROR "${message}")
endfunction()

# Stops configure when <refused> is TRUE, once every value has been checked
# and every bad one reported.
function(_tovrenik_info_stop_if refused)
  if(refused)
    message(FATAL_ERROR
      "tovrenik-info: configuring stops, as the build information above was refused.")
  endif()
endfunction()

function(tovrenik_info_check_cached_build_info)
  set(refused FALSE)
  foreach(variable IN ITEMS TOVRENIK_VERSION TOVRENIK_VERSION_SUFFIX
      TOVRENIK_BACKENDS TOVRENIK_FEATURES)
    if(NOT DEFINED CACHE{${variable}})
      continue()
    endif()
    set(value "$CACHE{${variable}}")
    _tovrenik_info_placeholder(${variable} placeholder)
    if(value STREQUAL placeholder)
      _tovrenik_info_refuse_again(${variable})
      set(refused TRUE)
      continue()
    endif()
    unset(_TOVRENIK_INFO_REFUSED_${variable} CACHE)
    unset(_TOVRENIK_INFO_REFUSED_${variable}_VALUE CACHE)

    _tovrenik_info_is_list(${variable} is_list)
    _tovrenik_info_find_problem("${value}" ${is_list} reason shown)
    get_property(type CACHE ${variable} PROPERTY TYPE)
    string(LENGTH "${value}" length)
    if(type MATCHES "^(FILE)?PATH$")
      set(reason "was given with type ${type}, so CMake rewrote it as a path before tovrenik-info saw it; give it as a STRING")
    elseif(reason STREQUAL "" AND value MATCHES "^'.*'$" AND length GREATER 1)
      set(reason "is enclosed in single quotes, which CMake's cache strips when it reads the value back, so the banner would change on the next configure")
    endif()
    if(NOT reason STREQUAL "")
      _tovrenik_info_refuse(${variable} "${shown}" "${reason}" TRUE)
      set(refused TRUE)
    endif()
  endforeach()
  _tovrenik_info_stop_if(${refused})
endfunction()

# Sets <out_count> and <out_literals> to the number of entries of the list in
# <variable> and their C++ literals, separated by commas, and <out_shown> to
# the entries as the banner shows them, each after one blank. The entries are
# escaped together, joined by a control character that none of them holds.
function(_tovrenik_info_list_literals variable out_count out_literals out_shown)
  list(LENGTH ${variable} count)
  set(literals "")
  set(shown "")
  if(count GREATER 0)
    string(ASCII 1 separator)
    list(JOIN ${variable} "${separator}" joined)
    _tovrenik_info_literal("${joined}" literals)
    string(REPLACE "${separator}" "\", \"" literals "${literals}")
    string(REPLACE "${separator}" " " shown " ${joined}")
  endif()
  set(${out_count} ${count} PARENT_SCOPE)
  set(${out_literals} "${literals}" PARENT_SCOPE)
  set(${out_shown} "${shown}" PARENT_SCOPE)
endfunction()

function(tovrenik_info_add_build_info target)
  set(refused FALSE)
  foreach(variable IN ITEMS TOVRENIK_VERSION TOVRENIK_VERSION_SUFFIX
      TOVRENIK_BACKENDS TOVRENIK_FEATURES)
    # A value as the cache holds it was checked before project().
    if(DEFINED CACHE{${variable}} AND "${${variable}}" STREQUAL "$CACHE{${variable}}")
      continue()
    endif()
    _tovrenik_info_is_list(${variable} is_list)
    _tovrenik_info_find_problem("${${variable}}" ${is_list} reason shown)
    if(NOT reason STREQUAL "")
      _tovrenik_info_refuse(${variable} "${shown}" "${reason}" FALSE)
      set(refused TRUE)
    endif()
  endforeach()
  _tovrenik_info_stop_if(${refused})

  _tovrenik_info_literal("${TOVRENIK_VERSION}" version_literal)
  _tovrenik_info_literal("${TOVRENIK_VERSION_SUFFIX}" suffix_literal)
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
