#include "control/engine/office_text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace zarn {

namespace {

constexpr std::string_view kTextExtension = ".TXT";
constexpr std::string_view kUniqueMark = "-XXXXXX";  // mkstemps makes it unique

}  // namespace

OfficeTextFile::OfficeTextFile(const std::string& temporary_text_file) {
  const std::size_t slash = temporary_text_file.rfind('/');
  if (slash == std::string::npos || slash + 1 == temporary_text_file.size()) return;
  if (HoldFolderOf(temporary_text_file))
    path_ = temporary_text_file;
  else
    CreatePrivateBeside(temporary_text_file);
}

OfficeTextFile::~OfficeTextFile() {
  if (private_) unlink(path_.c_str());
  if (held_folder_ >= 0) close(held_folder_);  // lets the temporary text file go
}

bool OfficeTextFile::HoldFolderOf(const std::string& file) {
  const std::string folder = file.substr(0, file.rfind('/') + 1);
  held_folder_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (held_folder_ < 0) return false;
  int locked;
  while ((locked = flock(held_folder_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (locked == 0) return true;
  close(held_folder_);
  held_folder_ = -1;
  return false;
}

// The temporary text file's name with a unique mark before its extension (or at its end).
void OfficeTextFile::CreatePrivateBeside(const std::string& file) {
  const bool extended =
      file.size() >= kTextExtension.size() &&
      file.compare(file.size() - kTextExtension.size(), kTextExtension.size(), kTextExtension) == 0;
  const std::size_t stem = extended ? file.size() - kTextExtension.size() : file.size();
  const std::string suffix = file.substr(stem);
  std::string name = file.substr(0, stem);
  name += kUniqueMark;
  name += suffix;
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const int fd = mkostemps(buffer.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
  if (fd < 0) return;
  close(fd);
  path_ = buffer.data();
  private_ = true;
}

}  // namespace zarn
