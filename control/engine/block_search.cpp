#include "control/engine/block_search.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "control/engine/whole_word.h"

namespace zarn {

namespace {
constexpr std::size_t kLengthCheckWindow = kLineLimit / 2;
constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';

std::int32_t ClampLineNumber(std::int64_t line) {
  return static_cast<std::int32_t>(std::min<std::int64_t>(line, INT32_MAX));
}
}  // namespace

BlockSearch::BlockSearch(SearchControl& control, const CompiledSearch& search, std::string_view path,
                         const BlockBuffer& buffer, std::uint64_t file_number)
    : control_(control),
      state_(control.State()),
      options_(control.Options()),
      search_(search),
      path_(path),
      file_number_(file_number),
      buffer_(buffer),
      data_(buffer.block()) {}

// A read error ends the file as its end does.
void BlockSearch::Run(int fd, std::uint64_t bytes_to_read, std::size_t first_block) {
  std::uint64_t unread = bytes_to_read;
  std::size_t got = first_block;
  for (;;) {
    if (got == 0) {
      if (unread == 0 || Stopped()) break;
      const ssize_t read_now =
          read(fd, data_, static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.block_size, unread)));
      if (read_now < 0 && errno == EINTR) continue;
      if (read_now <= 0) break;
      got = static_cast<std::size_t>(read_now);
    }
    unread -= got;
    if (!TakeBlock(data_, got)) return;
    got = 0;
  }
  SearchLastLine();
}

// At the end of the file the unfinished line is the last line.
void BlockSearch::SearchLastLine() {
  if (carried_ > 0 && !Stopped()) SearchLine(data_ - carried_, carried_);
}

// Searches the whole lines of a block (with the line carried from the previous block in front of them)
// and carries the unfinished line at its end. False when a stop was requested.
bool BlockSearch::TakeBlock(unsigned char* data, std::size_t size) {
  const unsigned char* from = data;
  const unsigned char* const end = data + size;
  if (pending_cr_) {
    pending_cr_ = false;
    if (*from == kLf) ++from;
  }
  const LineEnds ends(LineEnds::AnyCarriageReturn(from, end));
  if (dropping_) {
    from = FinishDroppedLine(from, end, ends);
    if (!from) return !Stopped();
  }
  const unsigned char* region = carried_ > 0 ? data - carried_ : from;
  const unsigned char* last_end = ends.FindLast(from, end);
  if (!last_end) {
    CarryTail(region, end);
    return true;
  }
  const unsigned char* region_end = last_end + 1;
  if (*last_end == kCr && region_end == end) pending_cr_ = true;
  if (!long_line_reported_) CheckLineLengths(region, region_end, ends);
  if (!SearchRegion(region, region_end, ends)) return false;
  carried_ = 0;
  CarryTail(region_end, end);
  return true;
}

// The carried line is over-long and its further bytes are dropped until its line end: searches its
// stored part once that end arrives. Returns where the block goes on, or nullptr when the whole block
// belongs to the dropped line (or a stop was requested).
const unsigned char* BlockSearch::FinishDroppedLine(const unsigned char* from, const unsigned char* end,
                                                    const LineEnds& ends) {
  const unsigned char* line_end = ends.FindNext(from, end);
  if (!line_end) return nullptr;
  if (!SearchLine(data_ - carried_, carried_)) return nullptr;
  ++line_number_;
  carried_ = 0;
  dropping_ = false;
  // A CR at the block's very end may be the first half of a CR LF pair; one whose LF is here already is not.
  if (*line_end == kCr && line_end + 1 == end) pending_cr_ = true;
  return LineEnds::Skip(line_end, end);
}

// Finds lines longer than kLineLimit in [begin, end) (whole lines) without measuring every line: every
// run of more than kLineLimit bytes without a line end covers a whole window of kLineLimit / 2 bytes, so
// only windows without a line end need a closer look.
void BlockSearch::CheckLineLengths(const unsigned char* begin, const unsigned char* end,
                                   const LineEnds& ends) {
  const unsigned char* window = begin;
  while (window < end) {
    const unsigned char* window_end = window + std::min<std::size_t>(kLengthCheckWindow, end - window);
    if (ends.FindNext(window, window_end)) {
      window = window_end;
      continue;
    }
    const unsigned char* line_start = ends.LineStart(begin, window);
    const unsigned char* line_end = ends.FindNext(window_end, end);
    if (static_cast<std::size_t>(line_end - line_start) > kLineLimit) {
      ReportLongLine();
      return;
    }
    window = line_end + 1;
  }
}

// Searches the whole lines of [begin, end), which starts and ends at line starts.
bool BlockSearch::SearchRegion(const unsigned char* begin, const unsigned char* end, const LineEnds& ends) {
  if (!search_.CanMatchAnyLine()) {
    line_number_ += ends.Count(begin, end);
    return true;
  }
  const LiteralFinder* candidates = search_.CandidateFinder();
  const unsigned char* at = begin;
  while (at < end) {
    if (Stopped()) return false;
    const unsigned char* line_start = at;
    const unsigned char* line_end;
    if (candidates) {
      const unsigned char* candidate = candidates->Find(at, end);
      if (!candidate) break;
      line_start = ends.LineStart(at, candidate);
      line_number_ += ends.Count(at, line_start);
      line_end = ends.FindNext(candidate, end);
    } else {
      line_end = ends.FindNext(at, end);
    }
    if (!SearchLine(line_start, static_cast<std::size_t>(line_end - line_start))) return false;
    ++line_number_;
    at = LineEnds::Skip(line_end, end);
  }
  line_number_ += ends.Count(at, end);
  return true;
}

// Keeps the unfinished line [begin, end) in front of the next block; of an over-long one only the stored
// part, reporting it.
void BlockSearch::CarryTail(const unsigned char* begin, const unsigned char* end) {
  std::size_t length = static_cast<std::size_t>(end - begin);
  if (length > kLineLimit) {
    ReportLongLine();
    length = kLineLimit;
    dropping_ = true;
  }
  std::memmove(data_ - length, begin, length);
  carried_ = length;
}

// Searches one line from each current position on, as long as occurrences are found. False on a stop.
bool BlockSearch::SearchLine(const unsigned char* start, std::size_t length) {
  if (length > kLineLimit) {
    ReportLongLine();
    length = kLineLimit;
  }
  const void* zero = std::memchr(start, 0, length);
  const std::size_t searchable =
      zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - start) : length;
  std::size_t at = 0;
  while (at < searchable) {
    const std::optional<PatternMatcher::Occurrence> found = search_.Find(start + at, searchable - at);
    if (!found) return true;
    if (Stopped()) return false;
    const std::size_t offset = at + found->offset;
    at = offset + 1;
    if (options_.Get(SearchOptions::Flag::kWholeWordOnly) &&
        !IsWholeWord(start, searchable, offset, found->length)) {
      if (search_.OneCandidatePerLine()) return true;
      continue;
    }
    Record(start, searchable, offset);
    if (search_.OneFindingPerLine()) return true;
  }
  return true;
}

void BlockSearch::Record(const unsigned char* line, std::size_t searchable, std::size_t offset) {
  const std::size_t text_length = std::min(searchable - offset, kMaxTextFound);
  control_.AppendFinding(
      FindingView{path_, ClampLineNumber(line_number_), static_cast<std::int32_t>(offset + 1),
                  std::string_view(reinterpret_cast<const char*>(line + offset), text_length), file_number_});
}

void BlockSearch::ReportLongLine() {
  if (long_line_reported_) return;
  long_line_reported_ = true;
  control_.PostNotification(NotificationKind::kError, kErrorLineTooLong, path_);
}

}  // namespace zarn
