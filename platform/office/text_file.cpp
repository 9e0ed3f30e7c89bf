#include "platform/office/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace office {

std::string WriteTextFile(const std::string& path, std::string_view text) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) return std::system_category().message(errno);
  int error = 0;
  for (std::size_t written = 0; written < text.size() && error == 0;) {
    const ssize_t wrote = write(file, text.data() + written, text.size() - written);
    if (wrote > 0) written += static_cast<std::size_t>(wrote);
    if (wrote < 0 && errno != EINTR) error = errno;
  }
  if (close(file) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : std::system_category().message(error);
}

}  // namespace office
