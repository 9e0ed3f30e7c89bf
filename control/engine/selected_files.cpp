#include "control/engine/selected_files.h"

#include <algorithm>
#include <thread>

#include "control/engine/office_document.h"

namespace zarn {

namespace {
// Files waiting between the walk and the scans for each thread that reads them.
constexpr std::size_t kFilesAheadPerReader = 4;
}  // namespace

std::size_t ScanReadAhead::HelpersForThisMachine() {
  const std::size_t processors = std::max(1u, std::thread::hardware_concurrency());
  return std::clamp<std::size_t>(processors - 1, 1, 3);
}

ScanReadAhead::ScanReadAhead(SearchControl& control, FileScanner& scanner, std::size_t helpers)
    : control_(control), scanner_(scanner), ahead_(helpers, kFilesAheadPerReader * (helpers + 1)) {}

// An Office document that will be read through its text is not opened ahead.
void ScanReadAhead::Add(const std::string& full_path, std::string_view entry_name) {
  if (ahead_.Full()) ScanOldest();
  const bool read_as_text = control_.Options().Get(SearchOptions::Flag::kSupportOfficeDocs) &&
                            OfficeApplicationOf(entry_name).has_value();
  ahead_.Push(full_path, entry_name, !read_as_text);
}

void ScanReadAhead::ScanAllAdded() {
  while (!ahead_.Empty() && !control_.State().StopRequested()) ScanOldest();
}

void ScanReadAhead::ScanOldest() {
  FileReadAhead::Slot& slot = ahead_.Front();
  const FileOpenedAhead opened{slot.file, slot.buffer};
  scanner_.ScanFile(slot.full_path, slot.entry_name, slot.open_ahead ? &opened : nullptr);
  ahead_.Pop();
}

}  // namespace zarn
