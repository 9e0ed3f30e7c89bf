#include "control/engine/pattern_search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "control/engine/pattern_run_cursor.h"

namespace zarn {
namespace {

bool IsUnbounded(const PatternSegment& segment) {
  return segment.lead == PatternSegment::kLeadUnbounded;
}

// Where a segment's occurrence lies, given where its run matched and the length its next segment took.
ChainOccurrence Compose(const PatternSegment& segment, std::size_t run_offset, std::size_t next_length) {
  if (segment.lead == 0) return {run_offset, segment.count() + next_length};
  return {0, run_offset + segment.count() + next_length};
}

// A segment that is only wildcards and anchors, in a non-empty subject.
std::optional<ChainOccurrence> TokenlessOccurrence(const PatternSegment& segment,
                                                   const unsigned char* subject, std::size_t length) {
  if (segment.lead == 0) return std::nullopt;
  if (IsUnbounded(segment)) {
    const void* zero = std::memchr(subject, 0, length);
    return ChainOccurrence{
        0, zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - subject) : length};
  }
  return ChainOccurrence{0, static_cast<std::size_t>(segment.lead)};
}

// The search of one chain in one subject, depth first with an explicit stack of frames, one per segment
// of the chain that is being searched. Segment d is searched on the subject's tail from some start; the
// outcome depends on d and that start alone, so each failure is remembered:
//  - for a segment with unbounded lead, failing from a start means failing from every later start, so
//    one threshold per segment suffices;
//  - for any other segment, the failed starts themselves.
// With every failure remembered, a segment is searched again only from a later start than before, which
// keeps the work polynomial however many segments the chain has.
class ChainSearch {
 public:
  ChainSearch(const PatternSegment& first, const unsigned char* subject, std::size_t length);
  std::optional<ChainOccurrence> Run();

 private:
  struct Frame {
    const PatternSegment* segment;
    std::size_t start;  // of this segment's subject within the whole subject
    RunCursor cursor;
    std::size_t run_offset = 0;  // within this segment's subject
  };

  bool KnownToFail(std::size_t depth, std::size_t start) const;
  void RememberFailure(std::size_t depth, std::size_t start);
  void Push(const PatternSegment& segment, std::size_t start);
  ChainOccurrence Unwind(std::size_t tail_length) const;

  const unsigned char* subject_;
  std::size_t length_;
  std::vector<Frame> frames_;
  std::vector<std::size_t> fails_from_;           // per depth: threshold for unbounded segments
  std::vector<std::vector<bool>> failed_starts_;  // per depth: for the other segments, filled lazily
};

std::size_t ChainLength(const PatternSegment& first) {
  std::size_t segments = 0;
  for (const PatternSegment* segment = &first; segment; segment = segment->next.get()) ++segments;
  return segments;
}

ChainSearch::ChainSearch(const PatternSegment& first, const unsigned char* subject, std::size_t length)
    : subject_(subject), length_(length) {
  const std::size_t segments = ChainLength(first);
  frames_.reserve(segments);
  fails_from_.assign(segments, length + 1);
  failed_starts_.resize(segments);
  Push(first, 0);
}

bool ChainSearch::KnownToFail(std::size_t depth, std::size_t start) const {
  if (start >= fails_from_[depth]) return true;
  const std::vector<bool>& failed = failed_starts_[depth];
  return !failed.empty() && failed[start];
}

void ChainSearch::RememberFailure(std::size_t depth, std::size_t start) {
  if (IsUnbounded(*frames_[depth].segment)) {
    fails_from_[depth] = std::min(fails_from_[depth], start);
    return;
  }
  std::vector<bool>& failed = failed_starts_[depth];
  if (failed.empty()) failed.resize(length_ + 1);
  failed[start] = true;
}

void ChainSearch::Push(const PatternSegment& segment, std::size_t start) {
  frames_.push_back(Frame{&segment, start, RunCursor(segment, subject_ + start, length_ - start)});
}

ChainOccurrence ChainSearch::Unwind(std::size_t tail_length) const {
  ChainOccurrence occurrence{0, tail_length};
  for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame)
    occurrence = Compose(*frame->segment, frame->run_offset, occurrence.length);
  return occurrence;
}

std::optional<ChainOccurrence> ChainSearch::Run() {
  while (!frames_.empty()) {
    Frame& top = frames_.back();
    const std::optional<std::size_t> run_offset = top.cursor.NextMatch();
    if (!run_offset) {
      RememberFailure(frames_.size() - 1, top.start);
      frames_.pop_back();
      continue;
    }
    top.run_offset = *run_offset;
    const PatternSegment* next = top.segment->next.get();
    if (!next) return Unwind(0);
    const std::size_t next_start = top.start + *run_offset + top.segment->count();
    const std::size_t next_depth = frames_.size();
    // An empty tail holds no occurrence of any segment.
    if (next_start == length_ || KnownToFail(next_depth, next_start)) continue;
    if (next->tokens.empty()) {
      const std::optional<ChainOccurrence> tail =
          TokenlessOccurrence(*next, subject_ + next_start, length_ - next_start);
      if (tail) return Unwind(tail->length);
      continue;
    }
    Push(*next, next_start);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ChainOccurrence> FindInChain(const PatternSegment& first, const unsigned char* subject,
                                           std::size_t length) {
  if (length == 0) return std::nullopt;
  if (first.tokens.empty()) return TokenlessOccurrence(first, subject, length);
  if (!first.next) {
    // A single segment: its run's leftmost match is the occurrence.
    RunCursor cursor(first, subject, length);
    const std::optional<std::size_t> run_offset = cursor.NextMatch();
    if (!run_offset) return std::nullopt;
    return Compose(first, *run_offset, 0);
  }
  return ChainSearch(first, subject, length).Run();
}

}  // namespace zarn
