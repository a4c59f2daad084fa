# SPDX-License-Identifier: BSD-3-Clause
# Builds for x86-64 Linux with musl with Zig's clang (see zig.cmake).
#
#   toolchains/fetch-zig
#   cmake -S . -B build/x86_64-linux-musl --toolchain toolchains/x86_64-linux-musl.cmake

set(tovrenik_info_zig_target x86_64-linux-musl)
set(tovrenik_info_zig_system Linux)
set(tovrenik_info_zig_processor x86_64)
include("${CMAKE_CURRENT_LIST_DIR}/zig.cmake")
