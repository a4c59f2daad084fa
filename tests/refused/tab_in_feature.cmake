# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_FEATURES "logging;x][y\tz" CACHE STRING "" FORCE)
