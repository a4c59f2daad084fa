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
# the banner's three lines, that no C++ compiler need accept, or that CMake's
# cache would change are refused here, with the variable named, rather than
# surfacing as a compile error or a garbled banner.

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

# Refuses <text> of <variable> (shown as <shown>) when it is longer than one
# C++ string literal need be: every conforming compiler accepts 65536
# characters, the terminating null among them. <what> names the text.
function(_tovrenik_info_check_length variable shown text what)
  set(longest 65535)
  string(LENGTH "${text}" length)
  if(length GREATER longest)
    _tovrenik_info_refuse(${variable} "${shown}"
      "${what} ${length} bytes long, more than the ${longest} that every C++ compiler accepts in one string literal")
  endif()
endfunction()

# Sets <out> to TRUE when the value of <variable> comes from the CMake cache,
# not from a normal variable, as an including build sets it.
function(_tovrenik_info_from_cache variable out)
  if(DEFINED CACHE{${variable}} AND "${${variable}}" STREQUAL "$CACHE{${variable}}")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# What a refused cache value is replaced with. The cache may not keep the
# refused value itself (it cuts a value at a line feed, drops a final carriage
# return and strips enclosing single quotes), and what it kept might pass the
# next configure.
function(_tovrenik_info_placeholder variable out)
  set(${out} "<refused: give ${variable} a new value>" PARENT_SCOPE)
endfunction()

# Stops configure because <variable>, shown as <shown>, <reason>; says where
# the value came from and what to correct. A refused cache value is replaced
# by the placeholder, so that the refusal stands until the value changes.
function(_tovrenik_info_refuse variable shown reason)
  string(LENGTH "${shown}" shown_length)
  if(shown_length GREATER 200)
    string(SUBSTRING "${shown}" 0 200 shown)
    string(APPEND shown "...")
  endif()
  _tovrenik_info_from_cache(${variable} from_cache)
  if(from_cache)
    _tovrenik_info_placeholder(${variable} placeholder)
    set_property(CACHE ${variable} PROPERTY VALUE "${placeholder}")
    # In brackets, which the cache keeps as they are.
    set(_TOVRENIK_INFO_REFUSED_${variable} "[${reason}][${shown}]"
      CACHE INTERNAL "Why ${variable} was refused, and its value")
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
  message(FATAL_ERROR
    "${variable} ${reason}.\nIts value: \"${shown}\"\n${advice}")
endfunction()

# Stops configure while <variable> holds the placeholder of an earlier
# refusal; forgets that refusal once the variable holds anything else.
function(_tovrenik_info_refuse_again variable)
  _tovrenik_info_from_cache(${variable} from_cache)
  _tovrenik_info_placeholder(${variable} placeholder)
  if(NOT from_cache OR NOT "$CACHE{${variable}}" STREQUAL "${placeholder}")
    unset(_TOVRENIK_INFO_REFUSED_${variable} CACHE)
    return()
  endif()
  set(refusal "$CACHE{_TOVRENIK_INFO_REFUSED_${variable}}")
  if(refusal MATCHES "^\\[(.*)\\]\\[(.*)\\]$")
    set(why ": it ${CMAKE_MATCH_1}.\nIts value was: \"${CMAKE_MATCH_2}\"")
  else()
    set(why ".")
  endif()
  string(CONCAT message
    "${variable} was refused when this build folder was last configured${why}"
    "\nThe cache cannot keep that value, so it holds a placeholder instead. "
    "Configure again with a new value, such as -D${variable}=<value>; until "
    "then, configuring or building here stops with this message.")
  message(FATAL_ERROR "${message}")
endfunction()

# Refuses the value of <variable> if it holds a line breaker, would not
# survive the cache, or (unless it is a list) is too long for a literal.
function(_tovrenik_info_check_value variable is_list)
  _tovrenik_info_refuse_again(${variable})
  set(value "${${variable}}")
  _tovrenik_info_find_line_breakers("${value}" breaker shown)
  if(NOT breaker STREQUAL "")
    _tovrenik_info_refuse(${variable} "${shown}"
      "holds a ${breaker}, which would break the banner's three lines")
  endif()
  _tovrenik_info_from_cache(${variable} from_cache)
  string(LENGTH "${value}" length)
  if(from_cache AND length GREATER 1)
    string(SUBSTRING "${value}" 0 1 first)
    math(EXPR last_at "${length} - 1")
    string(SUBSTRING "${value}" ${last_at} 1 last)
    if(first STREQUAL "'" AND last STREQUAL "'")
      _tovrenik_info_refuse(${variable} "${shown}"
        "is enclosed in single quotes, which CMake's cache strips when it reads the value back, so the banner would change on the next configure")
    endif()
  endif()
  if(NOT is_list)
    _tovrenik_info_check_length(${variable} "${shown}" "${value}" "is")
  endif()
endfunction()

# Sets <out_literal> to the C++ literal of the text in <variable>.
function(_tovrenik_info_text_literal variable out_literal)
  _tovrenik_info_check_value(${variable} FALSE)
  _tovrenik_info_literal("${${variable}}" literal)
  set(${out_literal} "${literal}" PARENT_SCOPE)
endfunction()

# Sets <out_count> and <out_literals> to the number of entries of the list in
# <variable> and their C++ literals, separated by commas, and <out_shown> to
# the entries as the banner shows them, each after one blank.
function(_tovrenik_info_list_literals variable out_count out_literals out_shown)
  _tovrenik_info_check_value(${variable} TRUE)
  set(count 0)
  set(literals "")
  set(banner_entries "")
  foreach(entry IN LISTS ${variable})
    if(entry STREQUAL "")
      _tovrenik_info_refuse(${variable} "${${variable}}"
        "has an empty entry, which would leave a stray blank on the banner")
    endif()
    if(entry MATCHES " ")
      _tovrenik_info_refuse(${variable} "${${variable}}"
        "entry \"${entry}\" holds a blank, so it would read as two entries")
    endif()
    _tovrenik_info_check_length(${variable} "${${variable}}" "${entry}"
      "has an entry")
    _tovrenik_info_literal("${entry}" literal)
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
