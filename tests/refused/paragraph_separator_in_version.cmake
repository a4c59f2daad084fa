# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 226 128 169 paragraph_separator)
set(TOVRENIK_VERSION "1.4.2${paragraph_separator}" CACHE STRING "" FORCE)
