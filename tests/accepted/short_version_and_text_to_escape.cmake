# SPDX-License-Identifier: BSD-3-Clause
# Text that roff would take for escapes, the page number, a dash or a
# hyphenation point, and a byte that is not UTF-8, in a version short enough
# for the man page's footer.
string(ASCII 255 not_utf8)
string(ASCII 194 173 soft_hyphen)
string(ASCII 194 160 no_break_space)
set(TOVRENIK_VERSION "1.4.2%rc\"\\-${not_utf8}" CACHE STRING "" FORCE)
set(TOVRENIK_VERSION_SUFFIX "\\fB'x' .y${no_break_space}z" CACHE STRING "" FORCE)
set(TOVRENIK_FEATURES "soft${soft_hyphen}hyphen;not${not_utf8}utf8;café" CACHE STRING "" FORCE)
