#include "tests/support/run_program.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kx::test {

namespace {
void ReadAll(int fd, std::string* into, pid_t pid_to_interrupt) {
  char buffer[65536];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
    into->append(buffer, static_cast<std::size_t>(got));
    if (pid_to_interrupt > 0) {
      kill(pid_to_interrupt, SIGINT);
      pid_to_interrupt = 0;
    }
  }
  close(fd);
}
}  // namespace

Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   bool interrupt_after_first_output) {
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, out_pipe[0]);
  posix_spawn_file_actions_addclose(&actions, err_pipe[0]);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  Outcome outcome;
  if (spawned != 0) {
    close(out_pipe[0]);
    close(err_pipe[0]);
    return outcome;
  }
  ReadAll(out_pipe[0], &outcome.out, interrupt_after_first_output ? pid : 0);
  ReadAll(err_pipe[0], &outcome.err, 0);
  int status = 0;
  waitpid(pid, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

}  // namespace kx::test
