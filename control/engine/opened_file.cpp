#include "control/engine/opened_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zarn {

namespace {

// A file is read up to the size it had when it was opened, so that a file that keeps growing while it is
// read still ends. Files whose size the kernel reports as 0 (the generated files of /proc and /sys, some
// of them endless) are read up to a bound that no such text file reaches.
std::uint64_t SizeToRead(const struct stat& status) {
  constexpr std::uint64_t kUnsizedFileLimit = std::uint64_t{64} << 20;
  return status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : kUnsizedFileLimit;
}

// A read error ends the file as its end does: 0.
std::size_t ReadFirstBlock(int fd, const BlockBuffer& buffer, std::uint64_t bytes_to_read) {
  const std::size_t size =
      static_cast<std::size_t>(std::min<std::uint64_t>(buffer.block_size, bytes_to_read));
  for (;;) {
    const ssize_t got = read(fd, buffer.block(), size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return 0;
  }
}

}  // namespace

void OpenedFile::Open(const std::string& path, const BlockBuffer& buffer) {
  Close();
  fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  opened_ = fd_ >= 0;
  if (!opened_) return;
  struct stat status;
  if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) return;
  bytes_to_read_ = SizeToRead(status);
  if (bytes_to_read_ > buffer.block_size) posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  first_block_ = ReadFirstBlock(fd_, buffer, bytes_to_read_);
  if (first_block_ == bytes_to_read_) {
    close(fd_);
    fd_ = -1;
  }
}

void OpenedFile::Close() {
  if (fd_ >= 0) close(fd_);
  opened_ = false;
  fd_ = -1;
  bytes_to_read_ = 0;
  first_block_ = 0;
}

}  // namespace zarn
