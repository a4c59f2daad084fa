// SPDX-License-Identifier: BSD-3-Clause
// Runs tovrenik-info as its callers do, as a separate process with its
// arguments, environment and file descriptors set up for each case, and checks
// every byte it writes and the status it ends with.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class destination { pipe, file, closed, full_device, broken_pipe };

struct run_options {
  std::vector<std::string> argv{"tovrenik-info"};
  std::optional<std::vector<std::string>> environment;  // unset: inherit ours
  destination standard_output = destination::pipe;
  bool standard_input_closed = false;
};

struct run_result {
  int exit_code = -1;  // -1 when a signal ended the process
  int signal = 0;
  std::string out;
  std::string err;
};

struct file_closer {
  void operator()(std::FILE* file) const {
    static_cast<void>(std::fclose(file));
  }
};
using temporary_file = std::unique_ptr<std::FILE, file_closer>;

std::string read_all(int fd) {
  constexpr std::size_t chunk = 4096;
  std::array<char, chunk> buffer{};
  std::string bytes;
  for (;;) {
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n > 0) {
      bytes.append(buffer.data(), static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      return bytes;
    }
  }
}

std::string read_from_start(std::FILE* file) {
  std::rewind(file);
  return read_all(fileno(file));
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  result.reserve(strings.size() + 1);
  for (auto& s : strings) {
    result.push_back(s.data());
  }
  result.push_back(nullptr);
  return result;
}

// Where the tool's standard output goes, and how to read back what arrived.
struct output_channel {
  int read_end = -1;    // a pipe, read once the tool has ended
  int write_end = -1;   // the tool's end of it, closed here once it started
  temporary_file file;  // or a regular file
};

output_channel direct_standard_output(destination where,
                                      posix_spawn_file_actions_t* actions) {
  output_channel channel;
  switch (where) {
    case destination::pipe:
    case destination::broken_pipe: {
      // Close-on-exec, so that the tool holds no reader of its own output.
      std::array<int, 2> ends{-1, -1};
      EXPECT_EQ(pipe2(ends.data(), O_CLOEXEC), 0);
      channel.read_end = ends[0];
      channel.write_end = ends[1];
      posix_spawn_file_actions_adddup2(actions, channel.write_end, 1);
      if (where == destination::broken_pipe) {
        close(channel.read_end);
        channel.read_end = -1;
      }
      break;
    }
    case destination::file:
      channel.file.reset(std::tmpfile());
      posix_spawn_file_actions_adddup2(actions, fileno(channel.file.get()), 1);
      break;
    case destination::closed:
      posix_spawn_file_actions_addclose(actions, 1);
      break;
    case destination::full_device:
      posix_spawn_file_actions_addopen(actions, 1, "/dev/full", O_WRONLY, 0);
      break;
  }
  return channel;
}

std::string collect(output_channel& channel) {
  if (channel.read_end >= 0) {
    std::string bytes = read_all(channel.read_end);
    close(channel.read_end);
    return bytes;
  }
  if (channel.file) {
    return read_from_start(channel.file.get());
  }
  return {};
}

void wait_for_end(pid_t pid, run_result& result) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      ADD_FAILURE() << "waitpid failed";
      return;
    }
  }
  if (WIFEXITED(status)) {
    result.exit_code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
}

// Starts <program> as <options> say, waits for it to end, and collects what it
// wrote. Standard error always goes to a file so that nothing can block.
run_result run(const std::string& program, run_options options = {}) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);

  // The tool must see SIGPIPE at its default, whatever this process does.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

  if (options.standard_input_closed) {
    posix_spawn_file_actions_addclose(&actions, 0);
  } else {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  const temporary_file err_file(std::tmpfile());
  posix_spawn_file_actions_adddup2(&actions, fileno(err_file.get()), 2);
  output_channel out =
      direct_standard_output(options.standard_output, &actions);

  std::vector<char*> argv = pointers(options.argv);
  std::vector<char*> environment;
  if (options.environment) {
    environment = pointers(*options.environment);
  }
  pid_t pid = -1;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(),
                  options.environment ? environment.data() : environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (out.write_end >= 0) {
    close(out.write_end);
  }

  run_result result;
  EXPECT_EQ(spawned, 0) << "cannot start " << program;
  if (spawned == 0) {
    wait_for_end(pid, result);
  }
  // Read only once the process has ended: the banner must be complete then.
  result.out = collect(out);
  result.err = read_from_start(err_file.get());
  return result;
}

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(FIXTURES_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << "missing fixture " << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expect_success(const run_result& result, const std::string& banner) {
  EXPECT_EQ(result.out, banner);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_code, 0);
}

TEST(reference_banner, is_the_expected_42_bytes_with_status_0) {
  const std::string banner = fixture("reference.banner");
  ASSERT_EQ(banner.size(), 42U);
  expect_success(run(TOVRENIK_INFO_TOOL), banner);
}

// Inputs the tool must not look at: the banner stays the reference one.
struct ignored_input {
  const char* name;
  run_options options;
};

class ignores : public testing::TestWithParam<ignored_input> {};

TEST_P(ignores, its_inputs_and_prints_the_reference_banner) {
  expect_success(run(TOVRENIK_INFO_TOOL, GetParam().options),
                 fixture("reference.banner"));
}

run_options with_argv(std::vector<std::string> argv) {
  run_options options;
  options.argv = std::move(argv);
  return options;
}

run_options with_environment(std::vector<std::string> environment) {
  run_options options;
  options.environment = std::move(environment);
  return options;
}

run_options with_standard_input_closed() {
  run_options options;
  options.standard_input_closed = true;
  return options;
}

INSTANTIATE_TEST_SUITE_P(
    inputs, ignores,
    testing::Values(
        ignored_input{"empty_argument", with_argv({"tovrenik-info", ""})},
        ignored_input{"options", with_argv({"tovrenik-info", "--help", "-v",
                                            "--version", "--", "-"})},
        ignored_input{"bytes_not_utf8",
                      with_argv({"tovrenik-info", "\xff\xfe", "caf\xc3"})},
        ignored_input{"no_argv_at_all", with_argv({})},
        ignored_input{"many_arguments",
                      with_argv(std::vector<std::string>(1000, "x"))},
        ignored_input{"empty_environment", with_environment({})},
        ignored_input{"utf8_locale",
                      with_environment({"LANG=C.UTF-8", "LC_ALL=C.UTF-8"})},
        ignored_input{"locale_that_does_not_exist",
                      with_environment({"LANG=xx_XX.NOPE", "LC_ALL=xx_XX.NOPE",
                                        "LC_MESSAGES=xx_XX.NOPE"})},
        ignored_input{"standard_input_closed", with_standard_input_closed()}),
    [](const auto& info) { return std::string(info.param.name); });

run_options writing_to(destination where) {
  run_options options;
  options.standard_output = where;
  return options;
}

TEST(banner_is_complete_when_the_process_ends, in_a_pipe_and_in_a_file) {
  for (const auto where : {destination::pipe, destination::file}) {
    SCOPED_TRACE(where == destination::pipe ? "pipe" : "file");
    expect_success(run(TOVRENIK_INFO_TOOL, writing_to(where)),
                   fixture("reference.banner"));
  }
}

// The calls in an strace log <trace> that wrote to standard output.
std::vector<std::string> standard_output_writes(const std::string& trace) {
  std::ifstream in(trace);
  std::vector<std::string> writes;
  for (std::string line; std::getline(in, line);) {
    const auto call_end = line.find('(');
    if (call_end != std::string::npos &&
        line.compare(call_end, 4, "(1, ") == 0) {
      writes.push_back(line);
    }
  }
  return writes;
}

// Our environment, after <first>, which therefore takes precedence.
std::vector<std::string> environment_after(const std::string& first) {
  std::vector<std::string> environment{first};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    environment.emplace_back(*variable);
  }
  return environment;
}

// Runs that share one pipe never interleave, as the banner is handed over in
// one write(2) of all its bytes.
TEST(banner_reaches_a_pipe_or_a_file, in_one_write_of_42_bytes) {
  const std::string strace = STRACE_PROGRAM;
  if (strace.empty() || access(strace.c_str(), X_OK) != 0) {
    GTEST_SKIP() << "strace is not installed";
  }
  const auto probe =
      run(strace, with_argv({strace, "-o", "/dev/null", "--", "/bin/true"}));
  if (probe.exit_code != 0) {
    GTEST_SKIP() << "strace cannot trace here: " << probe.err;
  }

  const std::string trace = testing::TempDir() + "banner_writes.trace";
  for (const auto where : {destination::pipe, destination::file}) {
    SCOPED_TRACE(where == destination::pipe ? "pipe" : "file");
    run_options options = writing_to(where);
    options.argv = {strace, "-q",
                    "-o",   trace,
                    "-e",   "signal=none",
                    "-e",   "trace=write,writev,pwrite64,pwritev,pwritev2",
                    "--",   TOVRENIK_INFO_TOOL};
    // A sanitized build's leak checker cannot run under ptrace; only writes
    // to standard output count, as a sanitizer's runtime writes elsewhere.
    options.environment = environment_after("ASAN_OPTIONS=detect_leaks=0");
    expect_success(run(strace, options), fixture("reference.banner"));

    const auto writes = standard_output_writes(trace);
    ASSERT_EQ(writes.size(), 1U) << testing::PrintToString(writes);
    EXPECT_EQ(writes[0].rfind("write(1, ", 0), 0U) << writes[0];
    EXPECT_EQ(writes[0].substr(writes[0].size() - 6), ") = 42") << writes[0];
  }
}

// A banner that could not be written is reported, never passed off as done.
struct write_failure {
  const char* name;
  destination where;
  const char* diagnostic;
};

class failed_write : public testing::TestWithParam<write_failure> {};

TEST_P(failed_write, exits_1_with_one_diagnostic_line) {
  const auto result = run(TOVRENIK_INFO_TOOL, writing_to(GetParam().where));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, GetParam().diagnostic);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_code, 1);
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, failed_write,
    testing::Values(
        write_failure{"closed", destination::closed,
                      "tovrenik-info: write error: Bad file descriptor\n"},
        write_failure{"full_device", destination::full_device,
                      "tovrenik-info: write error: No space left on device\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Like any filter, the tool dies of SIGPIPE when its reader has gone away;
// `tovrenik-info | head -0` must not print an error.
TEST(pipe_without_reader, ends_the_tool_by_sigpipe_silently) {
  const auto result =
      run(TOVRENIK_INFO_TOOL, writing_to(destination::broken_pipe));
  EXPECT_EQ(result.signal, SIGPIPE);
  EXPECT_EQ(result.err, "");
}

// The same main routine built with other build information; see the cases in
// tests/CMakeLists.txt.
struct configured_banner {
  const char* name;
  const char* banner;
};

class configured : public testing::TestWithParam<configured_banner> {};

TEST_P(configured, tool_prints_its_build_information_exactly) {
  expect_success(run(std::string(BANNER_CASES_DIR) + "/" + GetParam().name),
                 GetParam().banner);
}

INSTANTIATE_TEST_SUITE_P(
    build_information, configured,
    testing::Values(
        configured_banner{"several_entries_and_a_suffix",
                          "Tovrenik 1.4.2 (rc1)\n"
                          "Backends: mpi shmem\n"
                          "Features: logging checks\n"},
        configured_banner{"empty_lists",
                          "Tovrenik 1.4.2 ()\nBackends:\nFeatures:\n"},
        configured_banner{"version_not_dotted_numbers",
                          "Tovrenik 2026.12-dev+g1a2b3c ()\n"
                          "Backends: mpi\nFeatures:\n"},
        configured_banner{"characters_to_escape",
                          "Tovrenik 1.4.2 (\"rc1\" C:\\new\\\?\?= \xc3\xa9)\n"
                          "Backends: mpi\n"
                          "Features: say\"hi\" back\\slash c++\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
