#include "control/engine/folder_walk.h"

#include <algorithm>
#include <climits>

#include "control/engine/extension_filter.h"

namespace zarn {

namespace {

bool IsFolder(const win::WIN32_FIND_DATA& entry) {
  return (entry.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

constexpr const char* kEveryName = "*.*";

// Whether the folder's listing pattern stays within the path limit. A deeper folder cannot be listed,
// so its files cannot be reached.
bool Listable(const std::string& folder) {
  return folder.size() + std::char_traits<char>::length(kEveryName) < kMaxPath;
}

// Closes a listing on every way out.
class Listing {
 public:
  Listing(const std::string& pattern, win::WIN32_FIND_DATA* entry)
      : handle_(pattern.size() < kMaxPath ? win::FindFirstFile(pattern.c_str(), entry)
                                          : win::INVALID_HANDLE_VALUE),
        entry_(entry) {}
  ~Listing() { win::FindClose(handle_); }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  bool Opened() const { return handle_ != win::INVALID_HANDLE_VALUE; }
  bool Next() { return win::FindNextFile(handle_, entry_); }

 private:
  win::HFIND handle_;
  win::WIN32_FIND_DATA* entry_;
};

}  // namespace

FolderWalk::FolderWalk(SearchControl& control, SelectedFiles& files, EntryPause entry_pause)
    : control_(control),
      files_(files),
      entry_pause_(entry_pause),
      search_ext_(control.Options(), SearchOptions::Text::kSearchExt) {}

void FolderWalk::Walk(const std::string& folder) {
  if (!Listable(folder)) {
    files_.ScanAllAdded();
    control_.PostNotification(NotificationKind::kError, kErrorUnableToOpenFile, folder);
    return;
  }
  win::FileIdentity identity;
  const bool known = win::GetFileIdentity(folder.c_str(), &identity);
  if (known && std::find(current_path_.begin(), current_path_.end(), identity) != current_path_.end()) return;
  if (known) current_path_.push_back(identity);
  FilesPass(folder);
  if (control_.Options().Get(SearchOptions::Flag::kLookInSubfolders)) {
    for (const std::string& name : ListSubfolders(folder)) {
      if (Stopped()) break;
      Walk(folder + name + "/");
    }
  }
  if (known) current_path_.pop_back();
}

void FolderWalk::FilesPass(const std::string& folder) {
  win::WIN32_FIND_DATA entry;
  Listing listing(folder + kEveryName, &entry);
  if (!listing.Opened()) return;
  std::string path = folder;
  do {
    if (!IsFolder(entry) && ExtensionFilter(entry.cFileName, search_ext_.Current())) {
      path.resize(folder.size());
      path += entry.cFileName;
      files_.Add(path, entry.cFileName);
    }
    if (const std::int32_t pause = EntryPauseMilliseconds(control_.Options()); pause > 0)
      entry_pause_(control_.State(), pause);
  } while (listing.Next() && !Stopped());
}

// The subfolders of `folder` in listing order. The listing is closed before any of them is walked, so a
// deep tree does not hold one open listing per level.
std::vector<std::string> FolderWalk::ListSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  win::WIN32_FIND_DATA entry;
  Listing listing(folder + kEveryName, &entry);
  if (!listing.Opened()) return names;
  do {
    if (IsFolder(entry) && !IsDotEntry(entry.cFileName)) names.emplace_back(entry.cFileName);
  } while (listing.Next() && !Stopped());
  return names;
}

// A name that names a file exactly is that file, wildcard bytes and all; otherwise the listing decides.
void ScanSingleName(FileScanner& scanner, const std::string& name) {
  const std::string::size_type after_folder = name.rfind('/') + 1;
  const std::uint32_t attributes = win::GetFileAttributes(name.c_str());
  if (attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0) {
    scanner.ScanFile(name, std::string_view(name).substr(after_folder));
    return;
  }
  win::WIN32_FIND_DATA entry;
  Listing listing(name, &entry);
  if (!listing.Opened()) return;
  const std::string folder = name.substr(0, after_folder);
  do {
    if (!IsFolder(entry)) {
      scanner.ScanFile(folder + entry.cFileName, entry.cFileName);
      return;
    }
  } while (listing.Next());
}

}  // namespace zarn
