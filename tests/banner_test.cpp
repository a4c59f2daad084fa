// Runs tovrenik-info as its callers do, as a separate process with its
// arguments, environment and file descriptors set up for each case, and checks
// every byte it writes and the status it ends with.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

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

std::string read_all(int fd) {
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<std::size_t>(n));
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
  for (auto& s : strings) {
    result.push_back(s.data());
  }
  result.push_back(nullptr);
  return result;
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

  std::FILE* err_file = std::tmpfile();
  std::FILE* out_file = nullptr;
  int out_pipe[2] = {-1, -1};
  posix_spawn_file_actions_adddup2(&actions, fileno(err_file), 2);
  switch (options.standard_output) {
    case destination::pipe:
    case destination::broken_pipe:
      EXPECT_EQ(pipe(out_pipe), 0);
      posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
      posix_spawn_file_actions_addclose(&actions, out_pipe[0]);
      if (options.standard_output == destination::broken_pipe) {
        close(out_pipe[0]);
        out_pipe[0] = -1;
      }
      break;
    case destination::file:
      out_file = std::tmpfile();
      posix_spawn_file_actions_adddup2(&actions, fileno(out_file), 1);
      break;
    case destination::closed:
      posix_spawn_file_actions_addclose(&actions, 1);
      break;
    case destination::full_device:
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
      break;
  }

  std::vector<std::string> environment_strings;
  char** environment = environ;
  std::vector<char*> environment_pointers;
  if (options.environment) {
    environment_strings = *options.environment;
    environment_pointers = pointers(environment_strings);
    environment = environment_pointers.data();
  }
  std::vector<char*> argv = pointers(options.argv);

  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, &attributes,
                                  argv.data(), environment);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  EXPECT_EQ(spawned, 0) << "cannot start " << program;

  run_result result;
  if (out_pipe[1] >= 0) {
    close(out_pipe[1]);
  }
  int status = 0;
  if (spawned == 0) {
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
      result.exit_code = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
      result.signal = WTERMSIG(status);
    }
  }
  // Read only once the process has ended: the banner must be complete then.
  if (out_pipe[0] >= 0) {
    result.out = read_all(out_pipe[0]);
    close(out_pipe[0]);
  }
  if (out_file != nullptr) {
    result.out = read_from_start(out_file);
    std::fclose(out_file);
  }
  result.err = read_from_start(err_file);
  std::fclose(err_file);
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
