// UpdateRegistry: one read-change-write of the registry file at a time, across threads and processes.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/ole/registry.h"

namespace ole {
namespace {

constexpr mode_t kLockFileMode = 0666;  // the umask takes away what the user does not want

std::mutex& ProcessLock() {
  static std::mutex lock;
  return lock;
}

// An exclusive advisory lock on a file beside the registry, held while the object lives. Another
// process that updates the registry waits for it; the lock goes with the descriptor, so a process
// that dies while holding it releases it.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode)) {
    if (fd_ < 0) return;
    int locked;
    do {
      locked = flock(fd_, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing the descriptor releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

}  // namespace

bool UpdateRegistry(const std::function<void(Registry&)>& change) {
  const std::optional<std::string> path = RegistryFilePath();
  if (!path) return false;
  const std::lock_guard<std::mutex> in_process(ProcessLock());
  const FileLock across_processes(*path + ".lock");
  if (!across_processes.held()) return false;
  std::optional<Registry> registry = Registry::LoadFrom(*path);
  if (!registry) return false;  // saving now would throw away what could not be read
  const RegistryKey before = registry->Root();
  change(*registry);
  if (registry->Root() == before) return true;  // nothing to write
  return registry->SaveTo(*path);
}

}  // namespace ole
