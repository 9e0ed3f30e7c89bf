// SelectedFiles: where the folder walk hands the files it selects, in the walk's order, to be scanned in
// that same order. Either each file is scanned the moment it is handed over, or files are read ahead on
// helper threads (file_read_ahead.h) and scanned a few files behind the walk: the same scans, the same
// findings and errors in the same order, sooner.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "control/engine/file_read_ahead.h"
#include "control/engine/file_scanner.h"
#include "control/engine/search_control.h"

namespace zarn {

class SelectedFiles {
 public:
  virtual ~SelectedFiles() = default;
  // A file the walk selected: its full path and its own name as listed.
  virtual void Add(const std::string& full_path, std::string_view entry_name) = 0;
  // Scans every file added so far (unless a stop was requested): before the walk reports something of its
  // own, and at its end.
  virtual void ScanAllAdded() = 0;
};

// Scans each file as it is added.
class ScanEachAtOnce final : public SelectedFiles {
 public:
  explicit ScanEachAtOnce(FileScanner& scanner) : scanner_(scanner) {}
  void Add(const std::string& full_path, std::string_view entry_name) override {
    scanner_.ScanFile(full_path, entry_name);
  }
  void ScanAllAdded() override {}

 private:
  FileScanner& scanner_;
};

// Reads files ahead on helper threads and scans them in the order they were added.
class ScanReadAhead final : public SelectedFiles {
 public:
  // How many helpers a machine gets: one less than its processors, at least one, at most three.
  static std::size_t HelpersForThisMachine();

  ScanReadAhead(SearchControl& control, FileScanner& scanner, std::size_t helpers = HelpersForThisMachine());
  void Add(const std::string& full_path, std::string_view entry_name) override;
  void ScanAllAdded() override;

 private:
  void ScanOldest();

  SearchControl& control_;
  FileScanner& scanner_;
  FileReadAhead ahead_;
};

}  // namespace zarn
