# SPDX-License-Identifier: BSD-3-Clause
# What the Zig toolchain files share: C and C++ built by Zig's clang for the
# target triple tovrenik_info_zig_target, on CMAKE_SYSTEM_NAME
# tovrenik_info_zig_system and CMAKE_SYSTEM_PROCESSOR
# tovrenik_info_zig_processor. Zig brings its own libc++ and, for Linux, musl,
# and links both statically, so a Linux program runs on any Linux of its
# processor. Zig is looked up in build/zig (see toolchains/fetch-zig), then on
# PATH; -DTOVRENIK_INFO_ZIG=<path> names another.
#
# Built where the target runs (x86-64 musl on x86-64 Linux), this is no cross
# build and the tests run what they build as they are. Otherwise they run it
# under qemu-user where that is installed and can run it, and without an
# emulator a build of the tests still compiles and links every test program.

find_program(TOVRENIK_INFO_ZIG zig
  HINTS "${CMAKE_CURRENT_LIST_DIR}/../build/zig"
  DOC "Zig, whose clang builds for the Zig toolchain files")
if(NOT TOVRENIK_INFO_ZIG)
  message(FATAL_ERROR "Zig is not installed: run toolchains/fetch-zig, or "
    "give -DTOVRENIK_INFO_ZIG=<path to zig>.")
endif()
# The checks that CMake compiles use the same Zig.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TOVRENIK_INFO_ZIG)

if(NOT (CMAKE_HOST_SYSTEM_NAME STREQUAL tovrenik_info_zig_system
    AND CMAKE_HOST_SYSTEM_PROCESSOR STREQUAL tovrenik_info_zig_processor))
  set(CMAKE_SYSTEM_NAME ${tovrenik_info_zig_system})
  set(CMAKE_SYSTEM_PROCESSOR ${tovrenik_info_zig_processor})
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
    find_program(TOVRENIK_INFO_QEMU_${tovrenik_info_zig_processor}
      qemu-${tovrenik_info_zig_processor})
    if(TOVRENIK_INFO_QEMU_${tovrenik_info_zig_processor})
      set(CMAKE_CROSSCOMPILING_EMULATOR
        "${TOVRENIK_INFO_QEMU_${tovrenik_info_zig_processor}}")
    endif()
  endif()
endif()

set(CMAKE_C_COMPILER "${TOVRENIK_INFO_ZIG}" cc -target ${tovrenik_info_zig_target})
set(CMAKE_CXX_COMPILER "${TOVRENIK_INFO_ZIG}" c++ -target ${tovrenik_info_zig_target})
# Archives, such as GoogleTest's, are made and indexed by Zig's ar and
# ranlib, which know the target's object format; another ranlib may rewrite a
# macOS archive into one that Zig's linker cannot read. CMake's archive rules
# and its install step, which indexes a static library again once installed
# for macOS, run CMAKE_AR and CMAKE_RANLIB as programs of their own, so these
# are wrappers written into the build tree.
foreach(tovrenik_info_zig_tool IN ITEMS ar ranlib)
  string(TOUPPER "${tovrenik_info_zig_tool}" tovrenik_info_zig_variable)
  set(CMAKE_${tovrenik_info_zig_variable}
    "${CMAKE_BINARY_DIR}/tovrenik_info_zig_${tovrenik_info_zig_tool}")
  file(CONFIGURE OUTPUT "${CMAKE_${tovrenik_info_zig_variable}}"
    CONTENT "#!/bin/sh\nexec \"${TOVRENIK_INFO_ZIG}\" ${tovrenik_info_zig_tool} \"$@\"\n")
  file(CHMOD "${CMAKE_${tovrenik_info_zig_variable}}"
    PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
# CMake reads a Darwin compiler's implicit settings with -v -Wl,-v, and Zig's
# linker takes no -v.
set(CMAKE_USER_MAKE_RULES_OVERRIDE "${CMAKE_CURRENT_LIST_DIR}/zig-rules.cmake")
