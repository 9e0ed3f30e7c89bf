// FolderWalk: which files a search reads, and in which order.
//
// A folder is listed with "*.*"; every entry that is not a folder and that the ExtensionFilter selects
// against SearchExt is scanned, in the order the file system lists them, with the walk's pause after
// every entry (entry_pause.h).
// Then, when LookInSubfolders is set, the folder is listed again and each subfolder is walked the same
// way, depth first. So every selected file of a folder is scanned before any of its subfolders. A stop
// request is noticed after each fetch of an entry. A folder that cannot be listed yields nothing and no
// error; a folder that is already on the current path (through a link) is not entered again.
#pragma once

#include <string>
#include <vector>

#include "control/engine/entry_pause.h"
#include "control/engine/file_scanner.h"
#include "control/engine/search_control.h"
#include "control/engine/selected_files.h"
#include "platform/win/find_file.h"

namespace zarn {

class FolderWalk {
 public:
  // The selected files are handed to `files`, in the walk's order.
  FolderWalk(SearchControl& control, SelectedFiles& files, EntryPause entry_pause);

  // Walks `folder`, a path ending with "/".
  void Walk(const std::string& folder);

 private:
  void FilesPass(const std::string& folder);
  std::vector<std::string> ListSubfolders(const std::string& folder);
  bool Stopped() const { return control_.State().StopRequested(); }

  SearchControl& control_;
  SelectedFiles& files_;
  EntryPause entry_pause_;
  CachedOptionText search_ext_;
  std::vector<win::FileIdentity> current_path_;  // folders being walked, outermost first
};

// The single-name scan: lists `name` (wildcards honoured, letter case ignored) and scans the first file it
// yields, under the folder of `name` and the entry's own name. Also the scan of SearchPath naming a file.
void ScanSingleName(FileScanner& scanner, const std::string& name);

}  // namespace zarn
