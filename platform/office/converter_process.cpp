#include "platform/office/converter_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <thread>

extern char** environ;

namespace office {

namespace {

using Clock = std::chrono::steady_clock;

// Signals the program starts with at their default action, whatever the host did with them.
void ResetSignals(posix_spawnattr_t* attributes) {
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(attributes, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(attributes, &defaults);
}

// Starts the program in a new process group, its standard output and error on the given pipe ends.
int Spawn(const std::vector<std::string>& arguments, int out, int err, pid_t* pid) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  ResetSignals(&attributes);
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int error = posix_spawnp(pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

// A pipe for standard output and one for standard error; 0, or the errno of the failure.
int OpenPipes(int out[2], int err[2]) {
  if (pipe2(out, O_CLOEXEC) != 0) return errno;
  if (pipe2(err, O_CLOEXEC) == 0) return 0;
  const int error = errno;
  close(out[0]);
  close(out[1]);
  return error;
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 60000));
}

// Reads one chunk from a readable pipe into `into`; closes the pipe (and marks it -1) at its end.
void ReadChunk(pollfd& pipe, std::string& into) {
  char buffer[65536];
  const ssize_t got = read(pipe.fd, buffer, sizeof buffer);
  if (got > 0) {
    into.append(buffer, static_cast<std::size_t>(got));
  } else if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
    close(pipe.fd);
    pipe.fd = -1;
  }
}

// Collects both pipes until the program has closed them; otherwise why it was stopped. The pipes are
// closed either way.
std::optional<ProcessEnd> ReadOutput(int out, int err, Clock::time_point deadline, std::size_t limit,
                                     ProcessOutcome& outcome) {
  pollfd pipes[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
  std::optional<ProcessEnd> stopped;
  while ((pipes[0].fd >= 0 || pipes[1].fd >= 0) && !stopped) {
    const int wait = MillisecondsUntil(deadline);
    if (wait == 0) {
      stopped = ProcessEnd::kTimedOut;
    } else if (poll(pipes, 2, wait) > 0) {
      if (pipes[0].revents) ReadChunk(pipes[0], outcome.out);
      if (pipes[1].revents) ReadChunk(pipes[1], outcome.err);
      if (outcome.out.size() + outcome.err.size() > limit) stopped = ProcessEnd::kTooMuchOutput;
    }
  }
  for (const pollfd& pipe : pipes)
    if (pipe.fd >= 0) close(pipe.fd);
  return stopped;
}

// Whether the program has ended before the deadline; it is left unreaped, so its process group stays
// ours to signal.
bool WaitForEnd(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid)
      return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

int Reap(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

ProcessOutcome RunConverter(const std::vector<std::string>& arguments, const ProcessLimits& limits) {
  if (arguments.empty()) return {ProcessEnd::kNotStarted, EINVAL, {}, {}};
  int out[2], err[2];
  if (const int error = OpenPipes(out, err); error != 0) return {ProcessEnd::kNotStarted, error, {}, {}};
  pid_t pid = 0;
  const int error = Spawn(arguments, out[1], err[1], &pid);
  close(out[1]);
  close(err[1]);
  if (error != 0) {
    close(out[0]);
    close(err[0]);
    return {ProcessEnd::kNotStarted, error, {}, {}};
  }
  const Clock::time_point deadline = Clock::now() + limits.time;
  ProcessOutcome outcome;
  std::optional<ProcessEnd> stopped = ReadOutput(out[0], err[0], deadline, limits.output_bytes, outcome);
  if (!stopped && !WaitForEnd(pid, deadline)) stopped = ProcessEnd::kTimedOut;
  kill(-pid, SIGKILL);  // the program when it still runs, and whatever it left running
  const int status = Reap(pid);
  if (stopped) {
    outcome.end = *stopped;
  } else {
    outcome.end = WIFEXITED(status) ? ProcessEnd::kExited : ProcessEnd::kSignalled;
    outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
  }
  return outcome;
}

}  // namespace office
