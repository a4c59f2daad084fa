# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 226 128 131 em_space)
set(TOVRENIK_BACKENDS "open${em_space}mpi" CACHE STRING "" FORCE)
