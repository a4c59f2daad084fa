# SPDX-License-Identifier: BSD-3-Clause
# For tests/embedding, which sets TOVRENIK_FEATURES from this as a normal
# variable before it includes the tool.
set(EMBEDDING_FEATURES "logging;che\tcks" CACHE STRING "" FORCE)
