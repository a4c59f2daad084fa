// SPDX-License-Identifier: BSD-3-Clause
// The start-up floor of any C++ program that uses iostreams: the runtime's
// own start-up and shut-down, and nothing else.
#include <iostream>

int main() { return 0; }
