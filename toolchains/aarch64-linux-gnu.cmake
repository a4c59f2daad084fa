# SPDX-License-Identifier: BSD-3-Clause
# Cross build for aarch64 Linux with Debian's cross compiler
# (apt-get install g++-aarch64-linux-gnu). When qemu-aarch64 is installed
# (apt-get install qemu-user), the tests run the programs they build under it.
#
#   cmake -S . -B build/aarch64 --toolchain toolchains/aarch64-linux-gnu.cmake

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(tovrenik_info_target aarch64-linux-gnu)
set(tovrenik_info_sysroot /usr/${tovrenik_info_target})
set(CMAKE_C_COMPILER ${tovrenik_info_target}-gcc)
set(CMAKE_CXX_COMPILER ${tovrenik_info_target}-g++)

# Libraries and headers come from the target's tree only; programs run here.
list(APPEND CMAKE_FIND_ROOT_PATH ${tovrenik_info_sysroot})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TOVRENIK_INFO_QEMU_AARCH64 qemu-aarch64)
if(TOVRENIK_INFO_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${TOVRENIK_INFO_QEMU_AARCH64} -L ${tovrenik_info_sysroot})
endif()
