set(TOVRENIK_FEATURES "logging;che\tcks" CACHE STRING "")
