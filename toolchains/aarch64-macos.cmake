# SPDX-License-Identifier: BSD-3-Clause
# Builds for arm64 (Apple silicon) macOS with Zig's clang (see zig.cmake).
#
#   toolchains/fetch-zig
#   cmake -S . -B build/aarch64-macos --toolchain toolchains/aarch64-macos.cmake

set(tovrenik_info_zig_target aarch64-macos)
set(tovrenik_info_zig_system Darwin)
set(tovrenik_info_zig_processor arm64)
include("${CMAKE_CURRENT_LIST_DIR}/zig.cmake")
