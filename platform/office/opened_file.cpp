#include "platform/office/opened_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace office {

OpenedFile::~OpenedFile() {
  if (fd_ >= 0) close(fd_);
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      device_(other.device_),
      inode_(other.inode_),
      size_(other.size_),
      head_(std::move(other.head_)) {}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    device_ = other.device_;
    inode_ = other.inode_;
    size_ = other.size_;
    head_ = std::move(other.head_);
  }
  return *this;
}

std::string OpenedFile::Open(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::system_category().message(errno);
  *this = OpenedFile();
  fd_ = fd;
  struct stat status;
  if (fstat(fd_, &status) != 0) return std::system_category().message(errno);
  if (!S_ISREG(status.st_mode)) return "it is not a file";
  device_ = status.st_dev;
  inode_ = status.st_ino;
  size_ = status.st_size;
  head_.resize(kHeadSize);
  ssize_t got;
  while ((got = pread(fd_, head_.data(), head_.size(), 0)) < 0 && errno == EINTR) {
  }
  if (got < 0) return std::system_category().message(errno);
  head_.resize(static_cast<std::size_t>(got));
  return {};
}

bool OpenedFile::IsNamedBy(const std::string& path) const {
  struct stat status;
  return fd_ >= 0 && stat(path.c_str(), &status) == 0 && status.st_dev == device_ && status.st_ino == inode_;
}

}  // namespace office
