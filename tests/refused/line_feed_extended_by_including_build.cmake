# SPDX-License-Identifier: BSD-3-Clause
# For tests/embedding, which appends an entry of its own to the cached list
# before it includes the tool.
set(TOVRENIK_FEATURES "logging\nchecks" CACHE STRING "" FORCE)
set(EMBEDDING_APPENDED_FEATURE "gpu" CACHE STRING "" FORCE)
