#include "platform/office/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <system_error>

namespace office {

namespace {

constexpr std::size_t kCopyBlock = std::size_t{1} << 16;

// Writes all of `bytes`; 0, or the errno of the failure.
int WriteAll(int file, const char* bytes, std::size_t count) {
  for (std::size_t written = 0; written < count;) {
    const ssize_t wrote = write(file, bytes + written, count - written);
    if (wrote > 0) written += static_cast<std::size_t>(wrote);
    if (wrote < 0 && errno != EINTR) return errno;
  }
  return 0;
}

// Creates or truncates `path` and has `fill` write it (returning 0 or an errno); the close is checked.
std::string WriteFile(const std::string& path, const std::function<int(int)>& fill) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) return std::system_category().message(errno);
  int error = fill(file);
  if (close(file) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : std::system_category().message(error);
}

// Copies `size` bytes of `source`, from its start, to `target`; 0, or the errno of the failure.
int CopyBlocks(int source, off_t size, int target) {
  const std::unique_ptr<char[]> block(new char[kCopyBlock]);
  for (off_t offset = 0; offset < size;) {
    const auto wanted = static_cast<std::size_t>(std::min<off_t>(size - offset, kCopyBlock));
    const ssize_t got = pread(source, block.get(), wanted, offset);
    if (got == 0) return 0;  // the file has shrunk
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (const int error = WriteAll(target, block.get(), static_cast<std::size_t>(got)); error != 0)
      return error;
    offset += got;
  }
  return 0;
}

}  // namespace

std::string WriteTextFile(const std::string& path, std::string_view text) {
  return WriteFile(path, [text](int file) { return WriteAll(file, text.data(), text.size()); });
}

std::string CopyToTextFile(const std::string& path, int source, off_t size) {
  return WriteFile(path, [source, size](int file) { return CopyBlocks(source, size, file); });
}

}  // namespace office
