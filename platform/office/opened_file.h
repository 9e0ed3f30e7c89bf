// A file an application opened, held open for as long as its document is. Only regular files are opened,
// and without waiting (a FIFO named like a document is refused, not waited on); the first bytes tell what
// the file holds, and its identity tells whether a path names it (itself, or through a link).
#pragma once

#include <sys/types.h>

#include <string>

namespace office {

class OpenedFile {
 public:
  // How many of the file's first bytes are kept.
  static constexpr std::size_t kHeadSize = 8192;

  OpenedFile() = default;
  ~OpenedFile();
  OpenedFile(OpenedFile&& other) noexcept;
  OpenedFile& operator=(OpenedFile&& other) noexcept;

  // Opens `path`; "" when it is open, otherwise why not, as a phrase for the user.
  std::string Open(const std::string& path);

  int fd() const { return fd_; }
  // The size the file had when it was opened.
  off_t size() const { return size_; }
  // Its first bytes, up to kHeadSize.
  const std::string& head() const { return head_; }
  // Whether `path` names this very file.
  bool IsNamedBy(const std::string& path) const;

 private:
  int fd_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  off_t size_ = 0;
  std::string head_;
};

}  // namespace office
