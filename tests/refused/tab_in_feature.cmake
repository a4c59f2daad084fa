# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_FEATURES "logging;che\tcks" CACHE STRING "" FORCE)
