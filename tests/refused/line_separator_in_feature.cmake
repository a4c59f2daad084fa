# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 226 128 168 line_separator)
set(TOVRENIK_FEATURES "logging${line_separator}checks" CACHE STRING "" FORCE)
