// FileScanner: the scan of one selected file. Chooses what to read (an Office document's text, when Office
// support is on and the application converts it), opens it (unless it was opened ahead, file_read_ahead.h),
// and has a BlockSearch search it line by line, appending every accepted occurrence to the control's
// findings. One FileScanner serves a whole search: it keeps the read buffer and the compiled search string
// between files and compiles again only when the search string or its flags changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "control/engine/block_search.h"
#include "control/engine/compiled_search.h"
#include "control/engine/office_text_file.h"
#include "control/engine/opened_file.h"
#include "control/engine/search_control.h"
#include "control/engine/search_options.h"

namespace zarn {

// A file opened and its first block read ahead of its scan, into the block of `buffer`.
struct FileOpenedAhead {
  OpenedFile& file;
  const BlockBuffer& buffer;
};

class FileScanner {
 public:
  explicit FileScanner(SearchControl& control);
  ~FileScanner();

  // Scans the file at `full_path`; `entry_name` is its own name as listed (for the Office test). A file
  // opened `ahead` is read from there unless its Office text is read instead.
  void ScanFile(const std::string& full_path, std::string_view entry_name,
                const FileOpenedAhead* ahead = nullptr);

 private:
  const CompiledSearch* CurrentSearch();
  std::unique_ptr<OfficeTextFile> FileToRead(const std::string& full_path, std::string_view entry_name);

  SearchControl& control_;
  CachedOptionText search_string_;
  std::unique_ptr<CompiledSearch> compiled_;
  bool invalid_pattern_reported_ = false;
  std::uint64_t files_scanned_ = 0;
  std::unique_ptr<unsigned char[]> buffer_memory_;
  BlockBuffer buffer_;
  OpenedFile file_;  // a file this scanner opens itself
};

}  // namespace zarn
