#include "platform/win/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "platform/win/temporary_file.h"

namespace win {
namespace {

// Reads to the end, but never more than kWholeFileLimit bytes; false on an error or when there is more.
bool ReadAll(int fd, std::string& bytes) {
  char chunk[16384];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof(chunk));
    if (got == 0) return true;
    if (got < 0 && errno != EINTR) return false;
    if (got > 0) bytes.append(chunk, static_cast<std::size_t>(got));
    if (bytes.size() > kWholeFileLimit) return false;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno != EINTR) return false;
    if (put > 0) bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// The file that `path` names once symbolic links are followed; `path` itself when it does not exist.
std::string Target(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string target(real);
  std::free(real);
  return target;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Gives the new file the mode of the file it replaces, if there is one.
bool KeepMode(int fd, const std::string& target) {
  struct stat status;
  if (stat(target.c_str(), &status) != 0) return errno == ENOENT;
  return fchmod(fd, status.st_mode & 07777) == 0;
}

bool Fill(int fd, const std::string& target, std::string_view bytes) {
  return KeepMode(fd, target) && WriteAll(fd, bytes) && fsync(fd) == 0;
}

// Makes the rename itself durable. A failure here loses nothing that is already visible, so it is not
// reported.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

// Opening never waits (a FIFO without a writer would keep a blocking open waiting for ever); what was
// opened is then checked: only a regular file within the bound is read, anything else cannot be.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::string();
    return std::nullopt;
  }
  struct stat status;
  const bool readable = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                        static_cast<std::uintmax_t>(status.st_size) <= kWholeFileLimit;
  std::string bytes;
  const bool read_all = readable && ReadAll(fd, bytes);
  close(fd);
  if (!read_all) return std::nullopt;
  return bytes;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::string target = Target(path);
  std::string temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return false;
  bool written = Fill(fd, target, bytes);
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
}

}  // namespace win
