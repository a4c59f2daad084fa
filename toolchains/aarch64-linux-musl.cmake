# SPDX-License-Identifier: BSD-3-Clause
# Builds for aarch64 Linux with musl with Zig's clang (see zig.cmake).
#
#   toolchains/fetch-zig
#   cmake -S . -B build/aarch64-linux-musl --toolchain toolchains/aarch64-linux-musl.cmake

set(tovrenik_info_zig_target aarch64-linux-musl)
set(tovrenik_info_zig_system Linux)
set(tovrenik_info_zig_processor aarch64)
include("${CMAKE_CURRENT_LIST_DIR}/zig.cmake")
