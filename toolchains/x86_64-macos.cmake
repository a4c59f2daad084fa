# SPDX-License-Identifier: BSD-3-Clause
# Builds for x86-64 macOS with Zig's clang (see zig.cmake).
#
#   toolchains/fetch-zig
#   cmake -S . -B build/x86_64-macos --toolchain toolchains/x86_64-macos.cmake

set(tovrenik_info_zig_target x86_64-macos)
set(tovrenik_info_zig_system Darwin)
set(tovrenik_info_zig_processor x86_64)
include("${CMAKE_CURRENT_LIST_DIR}/zig.cmake")
