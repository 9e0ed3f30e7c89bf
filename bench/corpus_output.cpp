#include "bench/corpus_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace kx_bench {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

OutputFile::OutputFile(const std::string& path, std::size_t buffer_bytes)
    : path_(path), buffer_(buffer_bytes) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) Fail("cannot create", path);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
}

char* OutputFile::Room(std::size_t bytes) {
  if (buffer_.size() - used_ < bytes) Flush();
  return buffer_.data() + used_;
}

void OutputFile::Flush() {
  std::size_t done = 0;
  while (done < used_) {
    const ssize_t written = ::write(fd_, buffer_.data() + done, used_ - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail("cannot write", path_);
    done += static_cast<std::size_t>(written);
  }
  used_ = 0;
}

void OutputFile::Close() {
  Flush();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail("cannot close", path_);
}

}  // namespace kx_bench
