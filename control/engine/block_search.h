// BlockSearch: one open file read in large blocks and searched line by line, without copying lines.
//
// Lines end at CR LF, LF or CR. Of each line the first kLineLimit bytes are stored and searched, up to
// the first zero byte; a longer line is reported once per file (505) and its tail is not searched. Whole
// lines are searched in place in the block; only the unfinished line at a block's end (at most
// kLineLimit bytes of it) is carried in front of the next block.
//
// With a candidate finder, the block is first searched for the run every occurrence contains; the lines
// between candidates are only counted, never split.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/engine/compiled_search.h"
#include "control/engine/line_ends.h"
#include "control/engine/search_control.h"

namespace zarn {

inline constexpr std::size_t kLineLimit = 2048;

// Where a BlockSearch reads to: a buffer of kLineLimit + block_size bytes, each block read to `block`
// (kLineLimit bytes into the buffer) with the carried line just in front of it. A block small enough to
// stay in the processor's cache between the read that copies it there and the search makes reading
// cheapest.
struct BlockBuffer {
  static constexpr std::size_t kBlockSize = std::size_t{256} * 1024;
  unsigned char* start = nullptr;
  std::size_t block_size = kBlockSize;

  static constexpr std::size_t Size(std::size_t block_size = kBlockSize) { return kLineLimit + block_size; }
  unsigned char* block() const { return start + kLineLimit; }
};

class BlockSearch {
 public:
  // `file_number` numbers the files of a search (see FindingView).
  BlockSearch(SearchControl& control, const CompiledSearch& search, std::string_view path,
              const BlockBuffer& buffer, std::uint64_t file_number = 0);

  // Reads `fd` until `bytes_to_read` bytes are read, its end, a read error, or a stop request. The first
  // `first_block` of those bytes may have been read already, into the buffer's block.
  void Run(int fd, std::uint64_t bytes_to_read, std::size_t first_block = 0);

 private:
  void SearchLastLine();
  bool TakeBlock(unsigned char* data, std::size_t size);
  const unsigned char* FinishDroppedLine(const unsigned char* data, const unsigned char* end,
                                         const LineEnds& ends);
  bool SearchRegion(const unsigned char* begin, const unsigned char* end, const LineEnds& ends);
  void CheckLineLengths(const unsigned char* begin, const unsigned char* end, const LineEnds& ends);
  void CarryTail(const unsigned char* begin, const unsigned char* end);
  bool SearchLine(const unsigned char* start, std::size_t length);
  void Record(const unsigned char* line, std::size_t searchable, std::size_t offset);
  void ReportLongLine();
  bool Stopped() const { return state_.StopRequested(); }

  SearchControl& control_;
  SearchState& state_;
  SearchOptions& options_;
  const CompiledSearch& search_;
  std::string_view path_;
  const std::uint64_t file_number_;
  const BlockBuffer buffer_;
  unsigned char* const data_;  // where each block is read to; the carried line sits just before it

  std::int64_t line_number_ = 1;  // of the line that starts where the search stands
  std::size_t carried_ = 0;       // bytes of the unfinished line in front of data_
  bool dropping_ = false;         // the unfinished line is over-long: its further bytes are dropped
  bool pending_cr_ = false;       // the last block ended with a CR: a leading LF belongs to it
  bool long_line_reported_ = false;
};

}  // namespace zarn
