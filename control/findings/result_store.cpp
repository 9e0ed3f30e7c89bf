#include "control/findings/result_store.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "control/findings/export_file.h"
#include "control/findings/result_segments.h"

namespace zarn {

namespace {
using result_segments::SegmentOf;
using result_segments::SegmentSize;
using result_segments::SegmentStart;

// The middle of a row of the tab-delimited file: tab, line number, tab, column number, tab.
struct TabbedNumbers {
  TabbedNumbers(std::int32_t line, std::int32_t column) {
    char* at = text;
    *at++ = '\t';
    at = std::to_chars(at, std::end(text), line).ptr;
    *at++ = '\t';
    at = std::to_chars(at, std::end(text), column).ptr;
    *at++ = '\t';
    length = static_cast<std::size_t>(at - text);
  }
  std::string_view View() const { return {text, length}; }

  char text[32];
  std::size_t length;
};
}  // namespace

// A record points at its text (preceded by its 16-bit length) and at its path (preceded by its 32-bit
// length), both kept in TextBlocks.
struct ResultStore::Record {
  const char* text;
  const char* path;
  std::int32_t line_number;
  std::int32_t column_number;
};

// Append-only storage of byte strings in blocks that never move.
class ResultStore::TextBlocks {
 public:
  // Stores `bytes` after their length as a `Length`; returns where the bytes begin.
  template <typename Length>
  const char* Store(std::string_view bytes) {
    const std::size_t needed = sizeof(Length) + bytes.size();
    if (blocks_.empty() || used_ + needed > block_size_) NewBlock(needed);
    char* at = blocks_.back().get() + used_;
    const auto length = static_cast<Length>(bytes.size());
    std::memcpy(at, &length, sizeof(Length));
    std::memcpy(at + sizeof(Length), bytes.data(), bytes.size());
    used_ += needed;
    return at + sizeof(Length);
  }

  template <typename Length>
  static std::string_view Read(const char* stored) {
    Length length;
    std::memcpy(&length, stored - sizeof(Length), sizeof(Length));
    return {stored, length};
  }

 private:
  static constexpr std::size_t kBlockSize = 1 << 20;

  void NewBlock(std::size_t needed) {
    block_size_ = std::max(kBlockSize, needed);
    blocks_.emplace_back(new char[block_size_]);
    used_ = 0;
  }

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t block_size_ = 0;
  std::size_t used_ = 0;
};

ResultStore::ResultStore() : texts_(std::make_unique<TextBlocks>()) {}

ResultStore::~ResultStore() {
  Clear();
}

ResultStore::Record& ResultStore::Slot(std::int32_t number) {
  const int segment = SegmentOf(number);
  return segments_[segment].load(std::memory_order_relaxed)[number - SegmentStart(segment)];
}

const ResultStore::Record& ResultStore::Slot(std::int32_t number) const {
  const int segment = SegmentOf(number);
  return segments_[segment].load(std::memory_order_acquire)[number - SegmentStart(segment)];
}

void ResultStore::Append(const FindingView& finding) {
  const std::int32_t number = count_.load(std::memory_order_relaxed);
  if (number == INT32_MAX) return;
  const int segment = SegmentOf(number);
  if (!segments_[segment].load(std::memory_order_relaxed))
    segments_[segment].store(new Record[SegmentSize(segment)], std::memory_order_release);
  const bool same_file =
      last_path_ &&
      (finding.file_number != 0 ? finding.file_number == last_file_number_
                                : TextBlocks::Read<std::uint32_t>(last_path_) == finding.file_path);
  if (!same_file) last_path_ = texts_->Store<std::uint32_t>(finding.file_path);
  last_file_number_ = finding.file_number;
  Slot(number) = Record{texts_->Store<std::uint16_t>(finding.text_found), last_path_, finding.line_number,
                        finding.column_number};
  count_.store(number + 1, std::memory_order_release);
}

void ResultStore::Clear() {
  count_.store(0, std::memory_order_release);
  for (std::atomic<Record*>& segment : segments_) delete[] segment.exchange(nullptr);
  texts_ = std::make_unique<TextBlocks>();
  last_path_ = nullptr;
  last_file_number_ = 0;
}

FindingView ResultStore::Get(std::int32_t number) const {
  const Record& record = Slot(number);
  return FindingView{TextBlocks::Read<std::uint32_t>(record.path), record.line_number, record.column_number,
                     TextBlocks::Read<std::uint16_t>(record.text)};
}

bool ResultStore::SaveToTabFile(const std::string& file_name) const {
  ExportFile file;
  if (!file.Open(file_name)) return false;
  file.Write("File\tLine\tCol\tItemFound\r\n");
  for (std::int32_t number = 0; number < Count(); ++number) {
    const FindingView record = Get(number);
    file.Write(record.file_path);
    file.Write(TabbedNumbers(record.line_number, record.column_number).View());
    file.Write(record.text_found);
    file.Write("\r\n");
  }
  return file.Finish();
}

}  // namespace zarn
