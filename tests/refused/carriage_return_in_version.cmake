# SPDX-License-Identifier: BSD-3-Clause
set(TOVRENIK_VERSION "1.4.2\r" CACHE STRING "" FORCE)
