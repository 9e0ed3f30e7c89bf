#include "platform/win/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace win {

namespace {
constexpr mode_t kNewFileMode = 0666;  // the umask takes away what the user does not want
constexpr int kTemporaryNameTries = 100;
}  // namespace

int CreateTemporaryBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::size_t base_start = target.rfind('/') + 1;  // 0 when there is no folder
  const std::string folder = target.substr(0, base_start);
  const std::string tail = "." + target.substr(base_start) + "." + std::to_string(getpid()) + ".";
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    name = folder;
    name.append(tail).append(std::to_string(counter++)).append(".tmp");
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace win
