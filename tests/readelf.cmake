# SPDX-License-Identifier: BSD-3-Clause
# Reads an ELF program's dynamic section and program headers with READELF:
# GNU, LLVM, elfutils or ELF Tool Chain (FreeBSD's) readelf.

# Sets <out_needed> to the shared libraries <program> needs and <out_loader>
# to TRUE when it asks for a program interpreter (the dynamic loader).
function(read_elf_linkage program out_needed out_loader)
  execute_process(COMMAND "${READELF}" --dynamic --program-headers "${program}"
    RESULT_VARIABLE result OUTPUT_VARIABLE headers ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${READELF} cannot read ${program}:\n${errors}")
  endif()
  # "(NEEDED)  Shared library: [libc.so.6]", or without the parentheses.
  string(REGEX MATCHALL "NEEDED[) \t]+Shared library: \\[[^]\n]*\\]" entries "${headers}")
  set(needed "")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\[(.*)\\]" "\\1" library "${entry}")
    list(APPEND needed "${library}")
  endforeach()
  if(headers MATCHES "(^|\n)[ \t]*INTERP[ \t]")
    set(${out_loader} TRUE PARENT_SCOPE)
  else()
    set(${out_loader} FALSE PARENT_SCOPE)
  endif()
  set(${out_needed} "${needed}" PARENT_SCOPE)
endfunction()
