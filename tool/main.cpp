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
  errno = 0;

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
    const int error = errno;
    if (error != 0) {
      std::fprintf(stderr, "tovrenik-info: write error: %s\n",
                   std::strerror(error));
    } else {
      std::fputs("tovrenik-info: write error\n", stderr);
    }
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
