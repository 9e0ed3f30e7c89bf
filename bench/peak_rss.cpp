// kx-peak-rss: runs a command and writes its peak resident set size, in KiB, to a file.
//
//   kx-peak-rss REPORT-FILE COMMAND [ARGUMENT...]
//
// The command keeps this program's standard input, output and error; the exit status is the command's
// (128 + the signal when a signal ended it). Peak RSS is ru_maxrss from wait4, so it covers the command's
// largest process, not the sum of its children.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: kx-peak-rss REPORT-FILE COMMAND [ARGUMENT...]\n", stderr);
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) {
    std::fprintf(stderr, "kx-peak-rss: fork: %s\n", std::strerror(errno));
    return 2;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::fprintf(stderr, "kx-peak-rss: %s: %s\n", argv[2], std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  struct rusage usage = {};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::fprintf(stderr, "kx-peak-rss: wait4: %s\n", std::strerror(errno));
      return 2;
    }
  }
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr || std::fprintf(report, "%ld\n", usage.ru_maxrss) < 0 || std::fclose(report) != 0) {
    std::fprintf(stderr, "kx-peak-rss: cannot write %s\n", argv[1]);
    return 2;
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}
