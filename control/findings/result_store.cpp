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

// A record points at its text and at its path (preceded by its 32-bit length), both kept in TextBlocks.
// The scanner keeps lines to kLineLimit bytes, so a column and a text's length each fit in 16 bits; a
// larger column is kept in front of the text, and the record's column says so (kColumnInFront).
struct ResultStore::Record {
  const char* text;
  const char* path;
  std::int32_t line_number;
  std::uint16_t column_number;
  std::uint16_t text_length;
};

namespace {
constexpr std::uint16_t kColumnInFront = UINT16_MAX;
}  // namespace

// Append-only storage of byte strings in blocks that never move.
class ResultStore::TextBlocks {
 public:
  // Stores `bytes` after their length as a `Length`; returns where the bytes begin.
  template <typename Length>
  const char* Store(std::string_view bytes) {
    const auto length = static_cast<Length>(bytes.size());
    return Store(std::string_view(reinterpret_cast<const char*>(&length), sizeof(Length)), bytes);
  }

  // Stores `front` and then `bytes`; returns where `bytes` begin.
  const char* Store(std::string_view front, std::string_view bytes) {
    const std::size_t needed = front.size() + bytes.size();
    if (blocks_.empty() || used_ + needed > block_size_) NewBlock(needed);
    char* at = blocks_.back().get() + used_;
    if (!front.empty()) std::memcpy(at, front.data(), front.size());
    if (!bytes.empty()) std::memcpy(at + front.size(), bytes.data(), bytes.size());
    used_ += needed;
    return at + front.size();
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
  const std::string_view text = finding.text_found.substr(0, UINT16_MAX);
  const bool column_fits = finding.column_number >= 0 && finding.column_number < kColumnInFront;
  const char* stored = column_fits ? StoreText(text, same_file && finding.line_number == last_line_number_)
                                   : StoreTextWithColumnInFront(text, finding.column_number);
  last_line_number_ = finding.line_number;
  Slot(number) = Record{stored, last_path_, finding.line_number,
                        column_fits ? static_cast<std::uint16_t>(finding.column_number) : kColumnInFront,
                        static_cast<std::uint16_t>(text.size())};
  count_.store(number + 1, std::memory_order_release);
}

// Findings further along one line have texts that end where the line's earlier finding's text ends: such a
// text shares the bytes of the one before rather than store them again (a common letter has many findings
// per line).
const char* ResultStore::StoreText(std::string_view text, bool same_line) {
  const char* stored = nullptr;
  if (same_line && last_text_.data() && text.size() <= last_text_.size()) {
    const char* tail = last_text_.data() + (last_text_.size() - text.size());
    if (std::memcmp(tail, text.data(), text.size()) == 0) stored = tail;
  }
  if (!stored) stored = texts_->Store({}, text);
  last_text_ = {stored, text.size()};
  return stored;
}

const char* ResultStore::StoreTextWithColumnInFront(std::string_view text, std::int32_t column) {
  last_text_ = {};
  return texts_->Store(std::string_view(reinterpret_cast<const char*>(&column), sizeof(column)), text);
}

void ResultStore::Clear() {
  count_.store(0, std::memory_order_release);
  for (std::atomic<Record*>& segment : segments_) delete[] segment.exchange(nullptr);
  texts_ = std::make_unique<TextBlocks>();
  last_path_ = nullptr;
  last_file_number_ = 0;
  last_line_number_ = 0;
  last_text_ = {};
}

FindingView ResultStore::Get(std::int32_t number) const {
  const Record& record = Slot(number);
  std::int32_t column = record.column_number;
  if (record.column_number == kColumnInFront)
    std::memcpy(&column, record.text - sizeof(column), sizeof(column));
  return FindingView{TextBlocks::Read<std::uint32_t>(record.path), record.line_number, column,
                     std::string_view(record.text, record.text_length)};
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
