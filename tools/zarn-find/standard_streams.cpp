#include "tools/zarn-find/standard_streams.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace zarn_find {

namespace {

// Waits until `fd` can take more bytes; 0, or the error of the wait.
int WaitUntilWritable(int fd) {
  pollfd wanted{fd, POLLOUT, 0};
  while (poll(&wanted, 1, -1) < 0)
    if (errno != EINTR) return errno;
  return 0;  // ready, or in error: the next write tells which
}

}  // namespace

int WriteFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
    } else if (count == 0) {
      return EIO;  // no progress and no reason: give up rather than spin
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (const int error = WaitUntilWritable(fd)) return error;
    } else if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

void ReserveStandardDescriptors() {
  for (int fd = 0; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    const int reserved = open("/dev/null", O_RDONLY);
    if (reserved >= 0 && reserved != fd) {
      dup2(reserved, fd);
      close(reserved);
    }
  }
}

}  // namespace zarn_find
