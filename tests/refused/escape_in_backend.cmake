# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 27 escape)
set(TOVRENIK_BACKENDS "mpi${escape}[0m" CACHE STRING "" FORCE)
