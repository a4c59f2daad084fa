// SPDX-License-Identifier: BSD-3-Clause
// tovrenik-info: prints how this build of the Tovrenik library was configured.
//
// Everything printed is fixed when the tool is compiled; arguments, the
// environment and standard input are never looked at.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "build_info.hpp"

int main() {
  errno = 0;  // so that a failed write without a cause is told as such

  std::cout << "Tovrenik " << tovrenik::version_string << " ("
            << tovrenik::version_suffix << ")\n";
  std::cout << "Backends:";
  for (const auto name : tovrenik::backend_names) {
    std::cout << " " << name;
  }
  std::cout << "\n";
  std::cout << "Features:";
  for (const auto name : tovrenik::feature_names) {
    std::cout << " " << name;
  }
  std::cout << std::endl;

  // A banner that never reached its reader must not pass for success: a
  // script saving it on a full disk would otherwise keep an empty file.
  if (std::cout.fail()) {
    // One call, so the line reaches standard error in one piece. If that
    // write fails too, the exit status still tells.
    const int error = errno;
    static_cast<void>(std::fprintf(stderr, "tovrenik-info: write error%s%s\n",
                                   error != 0 ? ": " : "",
                                   error != 0 ? std::strerror(error) : ""));
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
