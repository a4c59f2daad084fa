# SPDX-License-Identifier: BSD-3-Clause
# 2048 features of 1023 bytes each, two megabytes in all.
string(REPEAT "x" 1023 feature)
string(REPEAT "${feature};" 2047 features)
set(TOVRENIK_FEATURES "${features}${feature}" CACHE STRING "" FORCE)
