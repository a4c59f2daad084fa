# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_BACKENDS "mpi;open mpi" CACHE STRING "" FORCE)
