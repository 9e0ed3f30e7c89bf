// FindInChain: the first occurrence of a compiled chain of segments in a subject.
#pragma once

#include <cstddef>
#include <optional>

#include "control/engine/pattern_segment.h"

namespace zarn {

struct ChainOccurrence {
  std::size_t offset;
  std::size_t length;  // may run past the subject's end (a trailing "?" run)
};

// Each segment's run is found leftmost first; when the rest of the chain fails after it, the run is
// retried one alignment later. Works without recursion, and remembers where a segment is known to fail
// so that no start is searched twice for the same segment.
std::optional<ChainOccurrence> FindInChain(const PatternSegment& first, const unsigned char* subject,
                                           std::size_t length);

}  // namespace zarn
