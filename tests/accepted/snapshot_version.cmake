# SPDX-License-Identifier: BSD-3-Clause
# A snapshot's version, too long for the man page's footer.
set(TOVRENIK_VERSION "1.4.2+git20261210.1a2b3c4" CACHE STRING "" FORCE)
