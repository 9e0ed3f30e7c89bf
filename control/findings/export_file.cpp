#include "control/findings/export_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/win/temporary_file.h"

namespace zarn {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kMostLinksFollowed = 40;

std::string FolderOf(const std::string& name) {
  return name.substr(0, name.rfind('/') + 1);
}

// What `name` stands for once symbolic links in its last part are followed, also when the last link
// names a file that does not exist yet; empty when the links go round in circles.
std::string FinalName(std::string name) {
  for (int followed = 0; followed < kMostLinksFollowed; ++followed) {
    struct stat status;
    if (lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
    char link[PATH_MAX];
    const ssize_t length = readlink(name.c_str(), link, sizeof link);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof link) return {};
    const std::string_view points_to(link, static_cast<std::size_t>(length));
    name = points_to.front() == '/' ? std::string(points_to) : FolderOf(name) + std::string(points_to);
  }
  return {};
}

// Whether `fd` and `name` are the same file (a name reached through /proc may stand for another).
bool SameFile(int fd, const std::string& name) {
  struct stat opened, named;
  return fstat(fd, &opened) == 0 && stat(name.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// Gives the new file the owner (where allowed) and the permission bits of the file it replaces.
bool TakeOverMode(int fd, int replaced) {
  struct stat status;
  if (fstat(replaced, &status) != 0) return false;
  if (fchown(fd, status.st_uid, status.st_gid) != 0) {
    // Not ours to give away: the new file stays the user's, with the same permission bits.
  }
  return fchmod(fd, status.st_mode & 07777) == 0;
}

}  // namespace

ExportFile::~ExportFile() {
  Abandon();
}

bool ExportFile::Open(const std::string& name) {
  Abandon();
  failed_ = false;
  used_ = 0;
  // Without waiting: a FIFO without a reader is refused (ENXIO) instead of blocking here for ever.
  const int fd = open(name.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  bool opened = false;
  if (fd < 0) {
    const std::string target = errno == ENOENT ? FinalName(name) : std::string();
    opened = !target.empty() && OpenRegular(target, -1);
  } else {
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
      const std::string target = FinalName(name);
      opened = !target.empty() && SameFile(fd, target) ? OpenRegular(target, fd) : OpenInPlace(fd);
    } else {
      opened = OpenDirect(fd);
    }
  }
  if (opened) buffer_.reset(new char[kBufferSize]);
  return opened;
}

// Writes a hidden file beside `target` that replaces it at the end. `existing` is the file being replaced,
// open for writing (-1 for a new file). Where no file can be made beside it (a folder the user may not
// write) but the file itself may be written, it is written in place.
bool ExportFile::OpenRegular(const std::string& target, int existing) {
  const int fd = win::CreateTemporaryBeside(target, temporary_);
  if (fd < 0) {
    const bool may_write_in_place = existing >= 0 && (errno == EACCES || errno == EPERM);
    temporary_.clear();
    if (may_write_in_place) return OpenInPlace(existing);
    if (existing >= 0) close(existing);
    return false;
  }
  fd_ = fd;
  const bool mode_kept = existing < 0 || TakeOverMode(fd, existing);
  if (existing >= 0) close(existing);
  if (!mode_kept) {
    Abandon();
    return false;
  }
  target_ = target;
  return true;
}

// Empties the regular file `fd` and writes it directly.
bool ExportFile::OpenInPlace(int fd) {
  if (ftruncate(fd, 0) == 0) return OpenDirect(fd);
  close(fd);
  return false;
}

// Writes `fd` directly, with writes that wait for a slow reader.
bool ExportFile::OpenDirect(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void ExportFile::Write(std::string_view bytes) {
  if (used_ + bytes.size() > kBufferSize) {
    Flush();
    if (bytes.size() >= kBufferSize) return WriteOut(bytes);
  }
  std::memcpy(&buffer_[used_], bytes.data(), bytes.size());
  used_ += bytes.size();
}

void ExportFile::Flush() {
  WriteOut(std::string_view(buffer_.get(), used_));
  used_ = 0;
}

void ExportFile::WriteOut(std::string_view bytes) {
  while (!failed_ && !bytes.empty()) {
    const ssize_t count = write(fd_, bytes.data(), bytes.size());
    if (count > 0)
      bytes.remove_prefix(static_cast<std::size_t>(count));
    else if (count == 0 || errno != EINTR)
      failed_ = true;
  }
}

bool ExportFile::Finish() {
  if (fd_ < 0) return false;
  Flush();
  const bool closed = close(fd_) == 0;  // a file system may report a failed write only here
  fd_ = -1;
  if (failed_ || !closed || (!target_.empty() && rename(temporary_.c_str(), target_.c_str()) != 0)) {
    Abandon();
    return false;
  }
  temporary_.clear();
  target_.clear();
  return true;
}

void ExportFile::Abandon() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
  target_.clear();
}

}  // namespace zarn
