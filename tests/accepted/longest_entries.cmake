# SPDX-License-Identifier: BSD-3-Clause
# Seven features of the longest length a string literal must hold, with
# characters that need escaping: 458745 bytes in all.
string(ASCII 195 169 e_acute)
string(REPEAT "\"?\\${e_acute}" 13107 feature)
set(features "")
foreach(index RANGE 1 7)
  list(APPEND features "${feature}")
endforeach()
set(TOVRENIK_FEATURES "${features}" CACHE STRING "" FORCE)
