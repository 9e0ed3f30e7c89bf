#include "platform/win/windows_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace win {
namespace {

constexpr mode_t kPrivateFolder = 0700;

// An environment variable that names an absolute folder; an empty or relative value counts as unset
// (a relative one would make the settings depend on the current folder).
std::optional<std::string> AbsoluteFolderVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::nullopt;
  std::string folder(value);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder == "/") folder.clear();  // so that appending "/kestrix" gives "/kestrix"
  return folder;
}

std::optional<std::string> ChosenFolder() {
  if (auto config = AbsoluteFolderVariable("XDG_CONFIG_HOME")) return *config + "/kestrix";
  if (auto home = AbsoluteFolderVariable("HOME")) return *home + "/.config/kestrix";
  return std::nullopt;
}

bool IsFolder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MakeFolder(const std::string& path) {
  return (mkdir(path.c_str(), kPrivateFolder) == 0 || errno == EEXIST) && IsFolder(path);
}

// Creates `path` and any missing parents, each private to the user; existing folders are left as they are.
bool MakeFolders(const std::string& path) {
  if (MakeFolder(path)) return true;
  if (errno != ENOENT) return false;
  const std::string parent = path.substr(0, path.rfind('/'));
  return !parent.empty() && MakeFolders(parent) && MakeFolder(path);
}

}  // namespace

std::optional<std::string> WindowsFolder() {
  std::optional<std::string> folder = ChosenFolder();
  if (!folder || !MakeFolders(*folder)) return std::nullopt;
  return folder;
}

unsigned GetWindowsDirectory(char* buffer, unsigned size) {
  const std::optional<std::string> folder = WindowsFolder();
  if (!folder) return 0;
  const auto length = static_cast<unsigned>(folder->size());
  if (size <= length) return length + 1;
  std::memcpy(buffer, folder->c_str(), length + 1);
  return length;
}

}  // namespace win
