# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 194 155 control_sequence_introducer)
set(TOVRENIK_BACKENDS "mpi${control_sequence_introducer}31m" CACHE STRING "" FORCE)
