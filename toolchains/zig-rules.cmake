# SPDX-License-Identifier: BSD-3-Clause
# Read after CMake's platform files by the Zig toolchain files: Zig's clang
# prints its implicit settings for -v, and its linker refuses -Wl,-v.
set(CMAKE_C_VERBOSE_FLAG "-v")
set(CMAKE_CXX_VERBOSE_FLAG "-v")
