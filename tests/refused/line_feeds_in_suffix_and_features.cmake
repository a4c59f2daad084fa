# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_VERSION_SUFFIX "rc1\n" CACHE STRING "" FORCE)
set(TOVRENIK_FEATURES "logging\nchecks" CACHE STRING "" FORCE)
