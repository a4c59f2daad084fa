// SPDX-License-Identifier: BSD-3-Clause
// Runs tovrenik-info as its callers do, as a separate process with its
// arguments, environment and file descriptors set up for each case, and checks
// every byte it writes and the status it ends with. Only POSIX interfaces are
// used; a case that needs what a system lacks is skipped there, saying why.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// POSIX leaves declaring it to the program; only some C libraries do.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables,readability-redundant-declaration)
extern char** environ;

namespace {

// Starts a program built for the target: a cross build's tool runs under its
// emulator, whose command line this is; empty for a native build.
const std::vector<std::string> tool_emulator{TOOL_EMULATOR};

enum class destination {
  pipe,
  file,
  terminal,
  datagrams,  // a datagram socket: each write(2) arrives as one datagram
  closed,
  full_device,
  file_size_limit,  // a file at its size limit, SIGXFSZ left at its default
  file_size_limit_signal_ignored,  // the same, with SIGXFSZ ignored
  broken_pipe
};

struct run_options {
  std::vector<std::string> arguments;  // after argv[0]
  bool without_argv = false;           // argv holds no string at all
  std::optional<std::vector<std::string>> environment;  // unset: inherit ours
  destination standard_output = destination::pipe;
  bool standard_input_closed = false;
};

struct run_result {
  int spawn_error = 0;  // posix_spawn's error when the program never started
  int exit_code = -1;   // -1 when a signal ended the process
  int signal = 0;
  std::string out;
  std::string err;
  std::vector<std::string> writes;  // to datagrams, one string per write(2)
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

// Where a write at or past this offset fails, in the file-size-limit case.
constexpr off_t file_size_limit = 4096;

// Lowers this process's file-size limit while a child is started, so that the
// child inherits it, and ignores SIGXFSZ meanwhile, so that this process
// survives its own writes. The child inherits the ignored signal, and its
// writes past the limit fail with EFBIG, unless it is started with the
// signal at its default.
class file_size_limit_for_child {
 public:
  file_size_limit_for_child() {
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_limit_), 0);
    rlimit lowered = saved_limit_;
    lowered.rlim_cur = file_size_limit;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    EXPECT_EQ(sigaction(SIGXFSZ, &ignore, &saved_action_), 0);
  }
  ~file_size_limit_for_child() {
    static_cast<void>(sigaction(SIGXFSZ, &saved_action_, nullptr));
    static_cast<void>(setrlimit(RLIMIT_FSIZE, &saved_limit_));
  }
  file_size_limit_for_child(const file_size_limit_for_child&) = delete;
  file_size_limit_for_child& operator=(const file_size_limit_for_child&) =
      delete;
  file_size_limit_for_child(file_size_limit_for_child&&) = delete;
  file_size_limit_for_child& operator=(file_size_limit_for_child&&) = delete;

 private:
  rlimit saved_limit_{};
  struct sigaction saved_action_ {};
};

// Where the tool's standard output goes, and how to read back what arrived.
struct output_channel {
  int read_end = -1;   // a pipe, terminal or socket, read once the tool ended
  int write_end = -1;  // the tool's end of it, closed here once it started
  bool datagrams = false;
  temporary_file file;  // or a regular file
};

// A pipe whose ends are closed on exec, so that the tool holds no reader of
// its own output.
std::array<int, 2> pipe_closed_on_exec() {
  std::array<int, 2> ends{-1, -1};
  EXPECT_EQ(pipe(ends.data()), 0);
  for (const int end : ends) {
    EXPECT_EQ(fcntl(end, F_SETFD, FD_CLOEXEC), 0);
  }
  return ends;
}

// A pseudo-terminal: its controller and its terminal end, which passes the
// tool's bytes through unchanged (no line-feed translation). Both are closed
// on exec; the ends are -1 where the system has no pseudo-terminals.
std::array<int, 2> terminal_closed_on_exec() {
  const int controller = posix_openpt(O_RDWR | O_NOCTTY);
  if (controller < 0 || grantpt(controller) != 0 || unlockpt(controller) != 0) {
    return {-1, -1};
  }
  // NOLINTNEXTLINE(concurrency-mt-unsafe): the driver has one thread.
  const int terminal = open(ptsname(controller), O_RDWR | O_NOCTTY);
  termios settings{};
  EXPECT_EQ(tcgetattr(terminal, &settings), 0);
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  EXPECT_EQ(tcsetattr(terminal, TCSANOW, &settings), 0);
  for (const int end : {controller, terminal}) {
    EXPECT_EQ(fcntl(end, F_SETFD, FD_CLOEXEC), 0);
  }
  return {controller, terminal};
}

bool terminals_available() {
  const auto ends = terminal_closed_on_exec();
  for (const int end : ends) {
    if (end >= 0) {
      close(end);
    }
  }
  return ends[1] >= 0;
}

// A pair of connected datagram sockets, closed on exec.
std::array<int, 2> datagram_sockets_closed_on_exec() {
  std::array<int, 2> ends{-1, -1};
  EXPECT_EQ(socketpair(AF_UNIX, SOCK_DGRAM, 0, ends.data()), 0);
  for (const int end : ends) {
    EXPECT_EQ(fcntl(end, F_SETFD, FD_CLOEXEC), 0);
  }
  return ends;
}

// Whether this system's datagram sockets carry one datagram of <size> bytes.
bool datagrams_carry(std::size_t size) {
  const auto ends = datagram_sockets_closed_on_exec();
  const std::string datagram(size, 'x');
  const bool sent =
      send(ends[1], datagram.data(), size, 0) == static_cast<ssize_t>(size);
  close(ends[0]);
  close(ends[1]);
  return sent;
}

// A temporary file positioned at the file-size limit. The offset is shared
// with the tool: its first write is past the limit, while its diagnostic
// still fits in its own file.
temporary_file file_at_size_limit() {
  temporary_file file(std::tmpfile());
  EXPECT_EQ(lseek(fileno(file.get()), file_size_limit, SEEK_SET),
            file_size_limit);
  return file;
}

output_channel direct_standard_output(destination where,
                                      posix_spawn_file_actions_t* actions) {
  output_channel channel;
  switch (where) {
    case destination::pipe:
    case destination::broken_pipe: {
      const auto ends = pipe_closed_on_exec();
      channel.read_end = ends[0];
      channel.write_end = ends[1];
      posix_spawn_file_actions_adddup2(actions, channel.write_end, 1);
      if (where == destination::broken_pipe) {
        close(channel.read_end);
        channel.read_end = -1;
      }
      break;
    }
    case destination::terminal:
    case destination::datagrams: {
      const auto ends = where == destination::terminal
                            ? terminal_closed_on_exec()
                            : datagram_sockets_closed_on_exec();
      channel.read_end = ends[0];
      channel.write_end = ends[1];
      channel.datagrams = where == destination::datagrams;
      posix_spawn_file_actions_adddup2(actions, channel.write_end, 1);
      break;
    }
    case destination::file:
      channel.file.reset(std::tmpfile());
      posix_spawn_file_actions_adddup2(actions, fileno(channel.file.get()), 1);
      break;
    case destination::file_size_limit:
    case destination::file_size_limit_signal_ignored:
      channel.file = file_at_size_limit();
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

// Every datagram waiting on <fd>, one string each.
std::vector<std::string> read_datagrams(int fd) {
  EXPECT_EQ(fcntl(fd, F_SETFL, O_NONBLOCK), 0);
  constexpr std::size_t largest_datagram = 1048576;
  std::vector<char> buffer(largest_datagram);
  std::vector<std::string> datagrams;
  for (;;) {
    const ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
    if (n >= 0) {
      datagrams.emplace_back(buffer.data(), static_cast<std::size_t>(n));
    } else if (errno != EINTR) {
      return datagrams;
    }
  }
}

void collect(output_channel& channel, run_result& result) {
  if (channel.datagrams) {
    result.writes = read_datagrams(channel.read_end);
    for (const auto& datagram : result.writes) {
      result.out += datagram;
    }
    close(channel.read_end);
  } else if (channel.read_end >= 0) {
    result.out = read_all(channel.read_end);
    close(channel.read_end);
  } else if (channel.file) {
    result.out = read_from_start(channel.file.get());
  }
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

// Starts <program> (looked up on PATH when it has no slash) with <argv> and
// what <options> say besides, waits for it to end, and collects what it
// wrote. Standard error always goes to a file so that nothing can block.
run_result run(const std::string& program, std::vector<std::string> argv,
               const run_options& options) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);

  // The tool must see SIGPIPE and SIGXFSZ at their defaults, whatever this
  // process does, unless the case ignores SIGXFSZ.
  const bool limits_file_size =
      options.standard_output == destination::file_size_limit ||
      options.standard_output == destination::file_size_limit_signal_ignored;
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  if (options.standard_output != destination::file_size_limit_signal_ignored) {
    sigaddset(&defaults, SIGXFSZ);
  }
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

  std::vector<char*> argv_pointers = pointers(argv);
  std::vector<std::string> environment_strings;
  std::vector<char*> environment_pointers;
  if (options.environment) {
    environment_strings = *options.environment;
    environment_pointers = pointers(environment_strings);
  }
  pid_t pid = -1;
  run_result result;
  {
    std::optional<file_size_limit_for_child> limit;
    if (limits_file_size) {
      limit.emplace();
    }
    result.spawn_error = posix_spawnp(
        &pid, program.c_str(), &actions, &attributes, argv_pointers.data(),
        options.environment ? environment_pointers.data() : environ);
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (out.write_end >= 0) {
    close(out.write_end);
  }

  if (result.spawn_error == 0) {
    wait_for_end(pid, result);
  }
  // Read only once the process has ended: the banner must be complete then.
  collect(out, result);
  result.err = read_from_start(err_file.get());
  return result;
}

// The command line that starts <tool>: under the emulator, if any.
std::vector<std::string> launch_command(const std::string& tool) {
  std::vector<std::string> command = tool_emulator;
  command.push_back(tool);
  return command;
}

// Runs <tool> as a shell would, with its name as argv[0], or under the
// emulator, which gives it its argv.
run_result run_tool(const std::string& tool, const run_options& options = {}) {
  if (options.without_argv) {
    return run(tool, {}, options);
  }
  std::vector<std::string> argv =
      tool_emulator.empty() ? std::vector<std::string>{"tovrenik-info"}
                            : launch_command(tool);
  argv.insert(argv.end(), options.arguments.begin(), options.arguments.end());
  return run(tool_emulator.empty() ? tool : tool_emulator.front(), argv,
             options);
}

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(FIXTURES_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << "missing fixture " << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expect_success(const run_result& result, const std::string& banner) {
  EXPECT_EQ(result.spawn_error, 0) << std::strerror(result.spawn_error);
  EXPECT_EQ(result.out, banner);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_code, 0);
}

TEST(reference_banner, is_the_expected_42_bytes_with_status_0) {
  const std::string banner = fixture("reference.banner");
  ASSERT_EQ(banner.size(), 42U);
  expect_success(run_tool(TOVRENIK_INFO_TOOL), banner);
}

// Inputs the tool must not look at: the banner stays the reference one.
struct ignored_input {
  const char* name;
  run_options options;
};

class ignores : public testing::TestWithParam<ignored_input> {};

TEST_P(ignores, its_inputs_and_prints_the_reference_banner) {
  const run_options& options = GetParam().options;
  if (options.without_argv && !tool_emulator.empty()) {
    GTEST_SKIP() << "under an emulator, the emulator gives the tool its argv";
  }
  const run_result result = run_tool(TOVRENIK_INFO_TOOL, options);
  if (options.without_argv && result.spawn_error != 0) {
    GTEST_SKIP() << "this system refuses to start a program without argv: "
                 << std::strerror(result.spawn_error);
  }
  expect_success(result, fixture("reference.banner"));
}

run_options with_arguments(std::vector<std::string> arguments) {
  run_options options;
  options.arguments = std::move(arguments);
  return options;
}

run_options without_argv() {
  run_options options;
  options.without_argv = true;
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
        ignored_input{"empty_argument", with_arguments({""})},
        ignored_input{"options",
                      with_arguments({"--help", "-v", "--version", "--", "-"})},
        ignored_input{"bytes_not_utf8",
                      with_arguments({"\xff\xfe", "caf\xc3"})},
        ignored_input{"no_argv_at_all", without_argv()},
        ignored_input{"many_arguments",
                      with_arguments(std::vector<std::string>(1000, "x"))},
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

// Our environment, after <first>, which therefore takes precedence.
std::vector<std::string> environment_after(const std::string& first) {
  std::vector<std::string> environment{first};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    environment.emplace_back(*variable);
  }
  return environment;
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

// The banner of a case whose one feature is <length> bytes of x.
std::string banner_with_one_feature(std::size_t length) {
  return "Tovrenik 1.4.2 ()\nBackends: mpi\nFeatures: " +
         std::string(length, 'x') + "\n";
}

// The longest banner that a pipe must keep whole, PIPE_BUF bytes on Linux:
// its case's feature fills it to 4096 bytes.
constexpr std::size_t pipe_buf_feature_length = 4053;

// What scripts and people send the banner to, and the banner case that runs.
struct reader {
  const char* name;
  destination where;
  const char* banner_case = "reference";
  std::string banner{};  // empty: the reference banner
};

std::string expected_banner(const reader& r) {
  return r.banner.empty() ? fixture("reference.banner") : r.banner;
}

std::string tool_of(const reader& r) {
  return std::string(BANNER_CASES_DIR) + "/" + r.banner_case;
}

class banner_reaches : public testing::TestWithParam<reader> {
 protected:
  void SetUp() override {
    if (GetParam().where == destination::terminal && !terminals_available()) {
      GTEST_SKIP() << "this system has no pseudo-terminals";
    }
  }
};

// The final flush hands over the whole banner before the process ends.
TEST_P(banner_reaches, its_reader_whole_when_the_process_ends) {
  expect_success(run_tool(tool_of(GetParam()), writing_to(GetParam().where)),
                 expected_banner(GetParam()));
}

// Runs that share one pipe, file or terminal never interleave, as the banner
// is handed over in one system call carrying all its bytes: one write(2), or
// one writev(2), with which some C libraries (musl) hand over their buffer
// and what follows it. strace shows the calls.
TEST_P(banner_reaches, its_reader_in_one_system_call) {
  const std::string strace = STRACE_PROGRAM;
  if (strace.empty() || access(strace.c_str(), X_OK) != 0) {
    GTEST_SKIP() << "strace is not installed";
  }
  const auto probe =
      run(strace, {strace, "-o", "/dev/null", "--", "/bin/true"}, {});
  if (probe.exit_code != 0) {
    GTEST_SKIP() << "strace cannot trace here: " << probe.err;
  }

  // A file of its own, as the cases run in parallel.
  std::string trace = testing::TempDir() + "tovrenik_info_writes_XXXXXX";
  const int trace_fd = mkstemp(trace.data());
  ASSERT_GE(trace_fd, 0) << std::strerror(errno);
  close(trace_fd);
  std::vector<std::string> command{
      strace, "-q",
      "-o",   trace,
      "-e",   "signal=none",
      "-e",   "trace=write,writev,pwrite64,pwritev,pwritev2",
      "--"};
  for (const auto& argument : launch_command(tool_of(GetParam()))) {
    command.push_back(argument);
  }
  run_options options = writing_to(GetParam().where);
  // A sanitized build's leak checker cannot run under ptrace; only writes to
  // standard output count, as a sanitizer's runtime writes elsewhere.
  options.environment = environment_after("ASAN_OPTIONS=detect_leaks=0");
  const std::string banner = expected_banner(GetParam());
  expect_success(run(strace, command, options), banner);

  const auto writes = standard_output_writes(trace);
  ASSERT_EQ(writes.size(), 1U) << testing::PrintToString(writes);
  const bool write_or_writev = writes[0].rfind("write(1, ", 0) == 0 ||
                               writes[0].rfind("writev(1, ", 0) == 0;
  EXPECT_TRUE(write_or_writev) << writes[0];
  const std::string all_written = ") = " + std::to_string(banner.size());
  EXPECT_EQ(writes[0].substr(writes[0].size() - all_written.size()),
            all_written)
      << writes[0];
  unlink(trace.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, banner_reaches,
    testing::Values(reader{"pipe", destination::pipe},
                    reader{"file", destination::file},
                    reader{"terminal", destination::terminal},
                    reader{"pipe_with_a_banner_as_long_as_pipe_buf",
                           destination::pipe, "as_long_as_pipe_buf",
                           banner_with_one_feature(pipe_buf_feature_length)}),
    [](const auto& info) { return std::string(info.param.name); });

// How stdio might have set up standard output before main, and the banner
// case that then runs.
struct stdio_setting {
  const char* name;
  const char* banner_case;
  const char* buffering;  // for the stdio_buffering fixture, or nullptr
  std::string banner;     // empty: the reference banner
};

class one_write : public testing::TestWithParam<stdio_setting> {};

// Whatever buffering stdio would have chosen, the banner leaves in one
// write(2). Each write to a datagram socket arrives as one datagram, so the
// reader counts them, on any system and without tracing.
TEST_P(one_write, holds_the_whole_banner_whatever_stdio_chose) {
  const stdio_setting& setting = GetParam();
  const std::string banner =
      setting.banner.empty() ? fixture("reference.banner") : setting.banner;
  if (!datagrams_carry(banner.size())) {
    GTEST_SKIP() << "this system's datagram sockets cannot carry "
                 << banner.size() << " bytes at once";
  }
  run_options options = writing_to(destination::datagrams);
  if (setting.buffering != nullptr) {
    options.environment =
        environment_after(std::string("TOVRENIK_INFO_TEST_STDOUT_BUFFERING=") +
                          setting.buffering);
  }
  const auto result = run_tool(
      std::string(BANNER_CASES_DIR) + "/" + setting.banner_case, options);
  expect_success(result, banner);
  EXPECT_EQ(result.writes.size(), 1U);
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, one_write,
    testing::Values(
        stdio_setting{"as_stdio_chose", "reference", nullptr, ""},
        stdio_setting{"line_buffered", "reference_stdio_buffering_set_up",
                      "line", ""},
        stdio_setting{"unbuffered", "reference_stdio_buffering_set_up", "none",
                      ""},
        stdio_setting{"small_buffer", "reference_stdio_buffering_set_up",
                      "small", ""},
        // A C library may keep part of a buffer of just the banner's size.
        stdio_setting{"banner_as_long_as_pipe_buf", "as_long_as_pipe_buf",
                      nullptr,
                      banner_with_one_feature(pipe_buf_feature_length)},
        stdio_setting{"banner_longer_than_stdio_buffers",
                      "longer_than_stdio_buffers", nullptr,
                      banner_with_one_feature(10000)}),
    [](const auto& info) { return std::string(info.param.name); });

// A banner that could not be written is reported, never passed off as done.
struct write_failure {
  const char* name;
  destination where;
  int error;  // the errno the tool's write fails with
};

class failed_write : public testing::TestWithParam<write_failure> {};

TEST_P(failed_write, exits_1_with_one_diagnostic_line) {
  if (GetParam().where == destination::full_device &&
      access("/dev/full", W_OK) != 0) {
    GTEST_SKIP() << "this system has no /dev/full";
  }
  const auto result =
      run_tool(TOVRENIK_INFO_TOOL, writing_to(GetParam().where));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, std::string("tovrenik-info: write error: ") +
                            std::strerror(GetParam().error) + "\n");
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_code, 1);
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, failed_write,
    testing::Values(
        write_failure{"closed", destination::closed, EBADF},
        write_failure{"full_device", destination::full_device, ENOSPC},
        write_failure{"file_size_limit_with_sigxfsz_ignored",
                      destination::file_size_limit_signal_ignored, EFBIG}),
    [](const auto& info) { return std::string(info.param.name); });

// Some file systems (NFS among them) report a full disk or an exceeded quota
// only when the file is closed. The tool then reports the failure as for any
// failed write, having written the banner once.
struct close_failure {
  const char* name;
  int error;  // the errno closing standard output fails with
};

class failed_close : public testing::TestWithParam<close_failure> {};

TEST_P(failed_close, exits_1_with_one_diagnostic_line) {
  run_options options = writing_to(destination::pipe);
  options.environment = environment_after("TOVRENIK_INFO_TEST_CLOSE_ERRNO=" +
                                          std::to_string(GetParam().error));
  const auto result = run_tool(
      std::string(BANNER_CASES_DIR) + "/reference_close_fails", options);
  EXPECT_EQ(result.out, fixture("reference.banner"));
  EXPECT_EQ(result.err, std::string("tovrenik-info: write error: ") +
                            std::strerror(GetParam().error) + "\n");
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_code, 1);
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, failed_close,
    testing::Values(close_failure{"input_output_error", EIO},
                    close_failure{"disk_quota_exceeded", EDQUOT}),
    [](const auto& info) { return std::string(info.param.name); });

// Where writing cannot go on, the signal that the system sends ends the tool
// at its default, as it ends other programs: by SIGPIPE when the pipe's
// reader has gone away, so that `tovrenik-info | head -0` prints no error,
// and by SIGXFSZ past a file-size limit. Either way the status is not 0.
struct signalled_write {
  const char* name;
  destination where;
  int signal;
};

class write_ended_by : public testing::TestWithParam<signalled_write> {};

TEST_P(write_ended_by, the_signal_at_its_default_silently) {
  const auto result =
      run_tool(TOVRENIK_INFO_TOOL, writing_to(GetParam().where));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.signal, GetParam().signal);
  EXPECT_EQ(result.exit_code, -1);
}

INSTANTIATE_TEST_SUITE_P(
    standard_output, write_ended_by,
    testing::Values(signalled_write{"pipe_without_reader",
                                    destination::broken_pipe, SIGPIPE},
                    signalled_write{"file_size_limit",
                                    destination::file_size_limit, SIGXFSZ}),
    [](const auto& info) { return std::string(info.param.name); });

// The same main routine built with other build information; see the cases in
// tests/CMakeLists.txt.
struct configured_banner {
  const char* name;
  const char* banner;
};

class configured : public testing::TestWithParam<configured_banner> {};

TEST_P(configured, tool_prints_its_build_information_exactly) {
  expect_success(
      run_tool(std::string(BANNER_CASES_DIR) + "/" + GetParam().name),
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
                          "Features: say\"hi\" back\\slash c++ "
                          "caf\xc3\xa9\xe2\x80\x90\xe6\x97\xa5\xe6\x9c\xac\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
