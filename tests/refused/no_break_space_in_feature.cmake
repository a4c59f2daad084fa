# SPDX-License-Identifier: BSD-3-Clause
string(ASCII 194 160 no_break_space)
set(TOVRENIK_FEATURES "logging;open${no_break_space}mp" CACHE STRING "" FORCE)
