set(TOVRENIK_BACKENDS "mpi;open mpi" CACHE STRING "")
