# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_BACKENDS "mpi;;shmem" CACHE STRING "" FORCE)
