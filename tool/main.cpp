// SPDX-License-Identifier: BSD-3-Clause
// tovrenik-info: prints how this build of the Tovrenik library was configured.
//
// Everything printed is fixed when the tool is compiled; arguments, the
// environment and standard input are never looked at.

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>

#include "build_info.hpp"

namespace {

// The banner's fixed text, around the build information.
constexpr std::string_view product_name = "Tovrenik ";
constexpr std::string_view suffix_open = " (";
constexpr std::string_view suffix_close = ")\n";
constexpr std::string_view backends_label = "Backends:";
constexpr std::string_view features_label = "Features:";
constexpr std::string_view entry_separator = " ";
constexpr std::string_view line_end = "\n";

// Every byte of the banner, counted when the tool is compiled.
constexpr std::size_t banner_size = [] {
  std::size_t size = product_name.size() + tovrenik::version_string.size() +
                     suffix_open.size() + tovrenik::version_suffix.size() +
                     suffix_close.size() + backends_label.size() +
                     line_end.size() + features_label.size() + line_end.size();
  for (const auto name : tovrenik::backend_names) {
    size += entry_separator.size() + name.size();
  }
  for (const auto name : tovrenik::feature_names) {
    size += entry_separator.size() + name.size();
  }
  return size;
}();

}  // namespace

int main() {
  // Standard output holds the whole banner until the final flush, so that it
  // leaves in one write(2) whatever buffering stdio would have chosen (line
  // buffered on a terminal or under stdbuf, unbuffered when memory is short,
  // small blocks on some file systems): runs sharing a pipe never interleave.
  // A static buffer needs no allocation. It holds the banner with BUFSIZ to
  // spare, as a C library may keep part of the buffer for itself (musl keeps
  // 8 bytes) and some write straight past a buffer smaller than BUFSIZ.
  static std::array<char, banner_size + BUFSIZ> banner_buffer;
  static_cast<void>(
      std::setvbuf(stdout, banner_buffer.data(), _IOFBF, banner_buffer.size()));
  errno = 0;  // so that a failed write without a cause is told as such

  std::cout << product_name << tovrenik::version_string << suffix_open
            << tovrenik::version_suffix << suffix_close;
  std::cout << backends_label;
  for (const auto name : tovrenik::backend_names) {
    std::cout << entry_separator << name;
  }
  std::cout << line_end;
  std::cout << features_label;
  for (const auto name : tovrenik::feature_names) {
    std::cout << entry_separator << name;
  }
  std::cout << std::endl;

  // A banner that never reached its reader must not pass for success: a
  // script saving it on a full disk would otherwise keep an empty file. Some
  // file systems (NFS among them) report a full disk or quota only when the
  // file is closed, so closing standard output is part of writing it. The
  // stream's buffer is empty by now, so nothing at exit touches the closed
  // descriptor.
  if (!std::cout.fail() && close(STDOUT_FILENO) == 0) {
    return EXIT_SUCCESS;
  }
  // One call, so the line reaches standard error in one piece. If that write
  // fails too, the exit status still tells.
  const int error = errno;
  static_cast<void>(std::fprintf(stderr, "tovrenik-info: write error%s%s\n",
                                 error != 0 ? ": " : "",
                                 error != 0 ? std::strerror(error) : ""));
  return EXIT_FAILURE;
}
