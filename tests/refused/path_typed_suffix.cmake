# SPDX-License-Identifier: BSD-3-Clause
# As -DTOVRENIK_VERSION_SUFFIX:PATH=... or a preset entry of that type gives it.
set(TOVRENIK_VERSION_SUFFIX "~/rc\\1/" CACHE PATH "" FORCE)
