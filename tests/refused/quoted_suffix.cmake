# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_VERSION_SUFFIX "'rc1'" CACHE STRING "" FORCE)
