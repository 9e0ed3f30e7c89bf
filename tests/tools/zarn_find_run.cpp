#include "tests/tools/zarn_find_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace kx::test {

Outcome ZarnFind(const std::vector<std::string>& arguments, bool interrupt_after_first_output) {
  return RunProgram(ZARN_FIND_PATH, arguments, interrupt_after_first_output);
}

std::string ReadToEnd(int fd) {
  std::string bytes;
  char buffer[65536];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, static_cast<std::size_t>(got));
  close(fd);
  return bytes;
}

Outcome ZarnFindWritingTo(int out, const std::vector<std::string>& arguments,
                          const std::function<void()>& while_running) {
  int err[2];
  if (pipe2(err, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0)
    posix_spawn_file_actions_adddup2(&actions, out, 1);
  else
    posix_spawn_file_actions_addclose(&actions, 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> argv{const_cast<char*>(ZARN_FIND_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ZARN_FIND_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(err[1]);
  Outcome run;
  if (spawned != 0) {
    close(err[0]);
    return run;
  }
  if (while_running) while_running();
  run.err = ReadToEnd(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

Outcome ZarnFindOnTerminal(const std::vector<std::string>& arguments) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0) return {};
  const char* name = grantpt(terminal) == 0 && unlockpt(terminal) == 0 ? ptsname(terminal) : nullptr;
  const int side = name ? open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  termios mode;
  if (side < 0 || tcgetattr(side, &mode) != 0) {
    if (side >= 0) close(side);
    close(terminal);
    return {};
  }
  cfmakeraw(&mode);
  tcsetattr(side, TCSANOW, &mode);
  std::string out;
  Outcome run = ZarnFindWritingTo(side, arguments, [&] {
    close(side);  // the terminal's reads end (EIO) once zarn-find, its last user, has closed it
    out = ReadToEnd(terminal);
  });
  run.out = out;
  return run;
}

}  // namespace kx::test
