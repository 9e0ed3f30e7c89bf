// RunCursor: the Boyer-Moore-Horspool search of one segment's run in one subject, leftmost alignment
// first, resumable one alignment after the last match when the rest of the chain fails there.
#pragma once

#include <cstddef>
#include <optional>

#include "control/engine/pattern_segment.h"

namespace zarn {

class RunCursor {
 public:
  RunCursor(const PatternSegment& segment, const unsigned char* subject, std::size_t length);

  // The offset at which the run matches next, or none once the segment's rules allow no further
  // alignment. The subject must not be empty and the segment must have tokens.
  std::optional<std::size_t> NextMatch();

 private:
  bool AlignmentAllowed() const;
  void ShiftAfterMismatch();

  const PatternSegment* segment_;
  const unsigned char* subject_;
  std::ptrdiff_t length_;
  std::ptrdiff_t count_;
  std::ptrdiff_t pos_ = 0;  // subject byte under token k_
  std::ptrdiff_t k_ = 0;
  std::ptrdiff_t matched_at_ = -1;  // offset of the last match; -1 before the first search
  bool exhausted_ = false;
};

}  // namespace zarn
