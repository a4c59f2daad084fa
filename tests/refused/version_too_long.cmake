# SPDX-License-Identifier: BSD-3-Clause
string(REPEAT "9" 65536 version)
set(TOVRENIK_VERSION "${version}" CACHE STRING "" FORCE)
