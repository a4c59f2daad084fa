# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 227 128 128 ideographic_space)
set(TOVRENIK_FEATURES "open${ideographic_space}mp" CACHE STRING "" FORCE)
