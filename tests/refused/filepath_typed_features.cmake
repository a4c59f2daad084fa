# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_FEATURES "logging" CACHE FILEPATH "" FORCE)
