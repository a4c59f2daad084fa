# SPDX-License-Identifier: BSD-3-Clause
string(REPEAT "x" 65536 feature)
set(TOVRENIK_FEATURES "logging;${feature}" CACHE STRING "" FORCE)
