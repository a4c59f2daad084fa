/* SPDX-License-Identifier: BSD-3-Clause */
/* The limit for a banner: a static C program that makes one 42-byte write. */
#include <unistd.h>

int main(void) {
  static const char banner[] = "Tovrenik 1.4.2 ()\nBackends: mpi\nFeatures:\n";
  return write(1, banner, sizeof banner - 1) == sizeof banner - 1 ? 0 : 1;
}
