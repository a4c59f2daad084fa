# SPDX-License-Identifier: BSD-3-Clause
# Checks that TOOL, built with TOVRENIK_INFO_STATIC, asks for no dynamic
# loader and needs no shared library. Run with cmake -P; READELF names the
# readelf to use, or is empty where there is none.

if(NOT READELF)
  message("SKIPPED: no readelf on this machine to read the tool's ELF headers")
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/readelf.cmake")

read_elf_linkage("${TOOL}" needed loader)
if(loader OR NOT needed STREQUAL "")
  message(FATAL_ERROR "the static tool is not static: "
    "it asks for a loader: ${loader}; it needs: ${needed}")
endif()
