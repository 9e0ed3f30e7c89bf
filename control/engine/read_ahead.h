// ReadAhead: reads the next block of a large file on a thread of its own while the worker searches the
// current one, so that copying from the page cache and searching overlap. One ReadAhead serves a whole
// search; its thread is started on first use (inheriting the worker's priority) and ends with it.
#pragma once

#include <sys/types.h>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace zarn {

class ReadAhead {
 public:
  ReadAhead() = default;
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Starts reading up to `size` bytes of `fd` into `into`. Only one read is under way at a time.
  void Start(int fd, unsigned char* into, std::size_t size);
  // Waits for the read started last: the bytes read, 0 at the end of the file, -1 on a read error.
  ssize_t Finish();

 private:
  void Serve();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
  bool requested_ = false;  // the fields below are guarded by mutex_
  bool done_ = false;
  bool quit_ = false;
  int fd_ = -1;
  unsigned char* into_ = nullptr;
  std::size_t size_ = 0;
  ssize_t result_ = 0;
};

}  // namespace zarn
