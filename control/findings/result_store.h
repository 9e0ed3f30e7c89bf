// ResultStore: the control's findings, numbered from 0 in the order found.
//
// One writer (the search worker) appends while the host's thread reads any record below the published
// count: a record is complete before the count that covers it is published, and records never move.
// Records sit in segments that double in size; the texts and paths they point to sit in large blocks, each
// file's path stored once, and a finding's text shared with the finding before it on the same line when
// it is that text's tail. So the host reads a record by number at the cost of an index computation, and
// a million findings cost little more than their text.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control/engine/finding_record.h"
#include "control/findings/result_segments.h"

namespace zarn {

class ResultStore {
 public:
  ResultStore();
  ~ResultStore();
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Worker: adds a record at number Count() and then raises the count. Records beyond the largest count a
  // 32-bit number can hold are not kept.
  void Append(const FindingView& finding);

  // Host, with no search running: removes every record.
  void Clear();

  std::int32_t Count() const { return count_.load(std::memory_order_acquire); }

  // Record `number` (0 <= number < Count()); its texts stay valid until the next Clear.
  FindingView Get(std::int32_t number) const;

  // Writes the tab-delimited findings file: a header line, then one row per record, each line ending with
  // CR LF, texts byte for byte. False when the file cannot be opened or written; a regular file is then
  // left as it was (see ExportFile).
  bool SaveToTabFile(const std::string& file_name) const;

 private:
  struct Record;
  class TextBlocks;

  Record& Slot(std::int32_t number);
  const Record& Slot(std::int32_t number) const;
  // Worker: where a record's text is kept (see Record).
  const char* StoreText(std::string_view text, bool same_line);
  const char* StoreTextWithColumnInFront(std::string_view text, std::int32_t column);

  std::atomic<std::int32_t> count_{0};
  std::array<std::atomic<Record*>, result_segments::kSegmentCount> segments_{};
  std::unique_ptr<TextBlocks> texts_;
  const char* last_path_ = nullptr;     // worker only: the stored copy of the path of the latest record
  std::uint64_t last_file_number_ = 0;  // worker only: the file number of the latest record
  std::int32_t last_line_number_ = 0;   // worker only: the line number of the latest record
  std::string_view last_text_;          // worker only: the stored text of the latest record, when shareable
};

}  // namespace zarn
