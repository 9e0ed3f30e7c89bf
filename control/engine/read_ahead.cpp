#include "control/engine/read_ahead.h"

#include <unistd.h>

#include <cerrno>

namespace zarn {

namespace {
ssize_t ReadSome(int fd, unsigned char* into, std::size_t size) {
  for (;;) {
    const ssize_t got = read(fd, into, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}
}  // namespace

ReadAhead::~ReadAhead() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void ReadAhead::Start(int fd, unsigned char* into, std::size_t size) {
  if (!thread_.joinable()) thread_ = std::thread([this] { Serve(); });
  {
    std::lock_guard lock(mutex_);
    fd_ = fd;
    into_ = into;
    size_ = size;
    done_ = false;
    requested_ = true;
  }
  changed_.notify_all();
}

ssize_t ReadAhead::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return done_ || !requested_; });
  requested_ = false;
  return done_ ? result_ : -1;
}

void ReadAhead::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || (requested_ && !done_); });
    if (quit_) return;
    const int fd = fd_;
    unsigned char* const into = into_;
    const std::size_t size = size_;
    lock.unlock();
    const ssize_t got = ReadSome(fd, into, size);
    lock.lock();
    result_ = got;
    done_ = true;
    changed_.notify_all();
  }
}

}  // namespace zarn
