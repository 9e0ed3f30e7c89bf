#include "control/engine/file_scanner.h"

#include "control/engine/block_search.h"
#include "control/engine/office_document.h"
#include "control/engine/office_text_file.h"

namespace zarn {

FileScanner::FileScanner(SearchControl& control)
    : control_(control),
      search_string_(control.Options(), SearchOptions::Text::kSearchString),
      buffer_memory_(new unsigned char[BlockBuffer::Size()]),
      buffer_{buffer_memory_.get()} {}

FileScanner::~FileScanner() = default;

void FileScanner::ScanFile(const std::string& full_path, std::string_view entry_name,
                           const FileOpenedAhead* ahead) {
  const CompiledSearch* search = CurrentSearch();
  if (!search) return;
  // A converted Office document's text file stays this scan's own until the scan is done with it.
  const std::unique_ptr<OfficeTextFile> office_text = FileToRead(full_path, entry_name);
  const bool read_ahead = ahead && !office_text;
  OpenedFile& file = read_ahead ? ahead->file : file_;
  const BlockBuffer& buffer = read_ahead ? ahead->buffer : buffer_;
  if (!read_ahead) file.Open(office_text ? office_text->Path() : full_path, buffer);
  if (!file.Opened()) {
    control_.PostNotification(NotificationKind::kError, kErrorUnableToOpenFile, full_path);
  } else if (file.Readable()) {
    const std::string_view recorded_path = std::string_view(full_path).substr(0, kMaxPath);
    BlockSearch(control_, *search, recorded_path, buffer, ++files_scanned_)
        .Run(file.fd(), file.BytesToRead(), file.FirstBlock());
  }
  file.Close();
}

// The search string as it stands now, compiled; nullptr (after one 507 per search) when it does not
// compile, so that the files that follow yield no findings.
const CompiledSearch* FileScanner::CurrentSearch() {
  const SearchOptions& options = control_.Options();
  const std::string& pattern = search_string_.Current();
  const bool regular_expression = options.Get(SearchOptions::Flag::kRegularExpression);
  const bool case_sensitive = options.Get(SearchOptions::Flag::kCaseSensitive);
  if (!compiled_ || !compiled_->SameAs(pattern, regular_expression, case_sensitive))
    compiled_ = std::make_unique<CompiledSearch>(pattern, regular_expression, case_sensitive);
  if (compiled_->Compiled()) return compiled_.get();
  if (!invalid_pattern_reported_) {
    invalid_pattern_reported_ = true;
    control_.PostNotification(NotificationKind::kError, kErrorInvalidSearchString, pattern);
  }
  return nullptr;
}

// A Word document or Excel workbook is read through its text when Office support is on and the
// application converted it: the text file it was converted into comes back, held for the scan; any other
// file, or a failed conversion, is read as it is (nullptr).
std::unique_ptr<OfficeTextFile> FileScanner::FileToRead(const std::string& full_path,
                                                        std::string_view entry_name) {
  if (!control_.Options().Get(SearchOptions::Flag::kSupportOfficeDocs)) return nullptr;
  const std::optional<OfficeApplication> application = OfficeApplicationOf(entry_name);
  if (!application) return nullptr;
  auto text_file = std::make_unique<OfficeTextFile>(control_.State().TemporaryTextFile());
  if (text_file->Path().empty() ||
      !control_.ConvertOfficeDocument(*application, full_path, text_file->Path()))
    return nullptr;
  return text_file;
}

}  // namespace zarn
