#include "control/engine/file_scanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>

#include "control/engine/block_search.h"
#include "control/engine/office_document.h"
#include "control/engine/office_text_file.h"

namespace zarn {

namespace {
constexpr std::size_t kReadAheadFromBlocks = 8;
constexpr std::size_t kReadAheadBlockSize = 4 << 20;
}  // namespace

FileScanner::FileScanner(SearchControl& control)
    : control_(control),
      search_string_(control.Options(), SearchOptions::Text::kSearchString),
      buffer_(new unsigned char[BlockBuffers::BufferSize()]) {}

FileScanner::~FileScanner() = default;

void FileScanner::ScanFile(const std::string& full_path, std::string_view entry_name) {
  const CompiledSearch* search = CurrentSearch();
  if (!search) return;
  // A converted Office document's text file stays this scan's own until the scan is done with it.
  const std::unique_ptr<OfficeTextFile> office_text = FileToRead(full_path, entry_name);
  const std::string& file_to_read = office_text ? office_text->Path() : full_path;
  const int fd = open(file_to_read.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    control_.PostNotification(NotificationKind::kError, kErrorUnableToOpenFile, full_path);
    return;
  }
  // Only a regular file is read: a name swapped since it was listed for a FIFO, a device or a folder is
  // passed over, like the special files a listing never shows.
  struct stat status;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const std::string_view recorded_path = std::string_view(full_path).substr(0, kMaxPath);
    BlockSearch(control_, *search, recorded_path, BuffersFor(status), ++files_scanned_)
        .Run(fd, BytesToRead(status));
  }
  close(fd);
}

// A file is read up to the size it had when it was opened, so that a file that keeps growing while it is
// read still ends. Files whose size the kernel reports as 0 (the generated files of /proc and /sys, some
// of them endless) are read up to a bound that no such text file reaches.
std::uint64_t FileScanner::BytesToRead(const struct stat& status) {
  constexpr std::uint64_t kUnsizedFileLimit = std::uint64_t{64} << 20;
  return status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : kUnsizedFileLimit;
}

// Reading ahead pays for its hand-overs only on files of many blocks.
BlockBuffers FileScanner::BuffersFor(const struct stat& status) {
  BlockBuffers buffers{buffer_.get()};
  if (status.st_size < static_cast<off_t>(kReadAheadFromBlocks * buffers.block_size)) return buffers;
  if (!second_buffer_) {
    first_ahead_buffer_.reset(new unsigned char[BlockBuffers::BufferSize(kReadAheadBlockSize)]);
    second_buffer_.reset(new unsigned char[BlockBuffers::BufferSize(kReadAheadBlockSize)]);
  }
  buffers.first = first_ahead_buffer_.get();
  buffers.second = second_buffer_.get();
  buffers.block_size = kReadAheadBlockSize;
  buffers.read_ahead = &read_ahead_;
  return buffers;
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
