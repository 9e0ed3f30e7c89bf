// Listing a folder for the folder walk. This is the walk's hot path: an entry whose type the folder
// already reports (a regular file or a folder) costs no stat and no allocation; only links and entries
// of unknown type are looked at with fstatat.
#include "platform/win/find_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/win/name_pattern.h"

namespace win {

struct FindListing {
  explicit FindListing(std::string_view name_pattern) : pattern(name_pattern) {}
  ~FindListing() {
    if (folder) closedir(folder);
  }
  FindListing(const FindListing&) = delete;
  FindListing& operator=(const FindListing&) = delete;

  detail::NamePattern pattern;
  DIR* folder = nullptr;  // stays nullptr when an exact name was the whole listing
};

namespace {

enum class EntryKind { kPassedOver, kFile, kFolder };

EntryKind KindOf(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(status.st_mode)) return EntryKind::kFolder;
  return EntryKind::kPassedOver;
}

// Follows links, so a dangling link, like a FIFO, socket or device, is passed over.
EntryKind KindOf(int folder_descriptor, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:
    case DT_UNKNOWN: {
      struct stat status;
      if (fstatat(folder_descriptor, entry.d_name, &status, 0) != 0) return EntryKind::kPassedOver;
      return KindOf(status);
    }
    default:
      return EntryKind::kPassedOver;
  }
}

bool IsHiddenName(std::string_view name) {
  return name.size() > 1 && name[0] == '.' && name != "..";
}

std::uint32_t AttributesOf(std::string_view name, EntryKind kind) {
  std::uint32_t attributes = kind == EntryKind::kFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (IsHiddenName(name)) attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

void Fill(WIN32_FIND_DATA* data, std::string_view name, EntryKind kind) {
  data->dwFileAttributes = AttributesOf(name, kind);
  std::memcpy(data->cFileName, name.data(), name.size());
  data->cFileName[name.size()] = '\0';
}

// A name pattern without wildcards usually names an entry exactly; `path` is the whole pattern then.
bool FindExactName(const char* path, std::string_view name, WIN32_FIND_DATA* data) {
  if (name.size() > NAME_MAX) return false;
  struct stat status;
  if (fstatat(AT_FDCWD, path, &status, 0) != 0) return false;
  const EntryKind kind = KindOf(status);
  if (kind == EntryKind::kPassedOver) return false;
  Fill(data, name, kind);
  return true;
}

}  // namespace

HFIND FindFirstFile(const char* pattern, WIN32_FIND_DATA* data) {
  const std::size_t length = strnlen(pattern, PATH_MAX);
  if (length >= PATH_MAX) {
    errno = ENAMETOOLONG;
    return INVALID_HANDLE_VALUE;
  }
  const std::string_view whole(pattern, length);
  const std::size_t slash = whole.rfind('/');
  const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view name = whole.substr(name_start);
  if (name.empty()) {
    errno = ENOENT;
    return INVALID_HANDLE_VALUE;
  }

  auto listing = std::make_unique<FindListing>(name);
  if (!listing->pattern.HasWildcards() && FindExactName(pattern, name, data)) return listing.release();

  char folder[PATH_MAX] = ".";
  if (name_start > 0) {
    std::memcpy(folder, pattern, name_start);
    folder[name_start] = '\0';
  }
  listing->folder = opendir(folder);
  if (!listing->folder || !FindNextFile(listing.get(), data)) return INVALID_HANDLE_VALUE;
  return listing.release();
}

bool FindNextFile(HFIND listing, WIN32_FIND_DATA* data) {
  if (!listing || !listing->folder) return false;
  const int folder_descriptor = dirfd(listing->folder);
  while (const dirent* entry = readdir(listing->folder)) {
    const std::string_view name(entry->d_name);
    if (!listing->pattern.Matches(name)) continue;
    const EntryKind kind = KindOf(folder_descriptor, *entry);
    if (kind == EntryKind::kPassedOver) continue;
    Fill(data, name, kind);
    return true;
  }
  errno = ENOENT;
  return false;
}

bool FindClose(HFIND listing) {
  if (!listing) return false;
  delete listing;
  return true;
}

std::uint32_t GetFileAttributes(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0) return INVALID_FILE_ATTRIBUTES;
  std::string_view name(path);
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  name = name.substr(name.rfind('/') + 1);  // npos + 1 == 0
  std::uint32_t attributes =
      AttributesOf(name, S_ISDIR(status.st_mode) ? EntryKind::kFolder : EntryKind::kFile);
  if (!(status.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

bool GetFileIdentity(const char* path, FileIdentity* identity) {
  struct stat status;
  if (stat(path, &status) != 0) return false;
  identity->volume = status.st_dev;
  identity->index = status.st_ino;
  return true;
}

}  // namespace win
