# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 194 133 next_line)
set(TOVRENIK_VERSION_SUFFIX "rc1${next_line}Backends: fake" CACHE STRING "" FORCE)
