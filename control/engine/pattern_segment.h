// PatternSegment: one link of a compiled PatternMatcher. A segment is a fixed-length run of tokens, the
// rules for where that run may lie in the subject (lead, anchored at start, anchored at end), its
// ShiftTable, and the segment that must match after the run. Each segment owns the rest of the chain.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "control/engine/pattern_matcher.h"

namespace zarn {

struct PatternSegment {
  // lead: 0, the run is searched anywhere; n > 0, it begins within n bytes of the subject's start (n
  // leading "?"); kLeadUnbounded, any number of bytes may precede it (a leading "*").
  static constexpr std::ptrdiff_t kLeadUnbounded = -1;

  std::vector<PatternToken> tokens;
  std::array<std::size_t, 256> shift_table{};  // bad-byte skip for each byte value
  std::ptrdiff_t lead = 0;
  bool anchored_at_start = false;  // the run begins within lead bytes of the start (lead 0: at the start)
  bool anchored_at_end = false;    // the run ends with the subject's last byte
  std::unique_ptr<PatternSegment> next;

  PatternSegment() = default;
  PatternSegment(const PatternSegment&) = delete;
  PatternSegment& operator=(const PatternSegment&) = delete;
  // Releases the rest of the chain one link at a time, so a long chain cannot exhaust the stack.
  ~PatternSegment() {
    std::unique_ptr<PatternSegment> rest = std::move(next);
    while (rest) rest = std::move(rest->next);
  }

  std::size_t count() const { return tokens.size(); }
};

}  // namespace zarn
