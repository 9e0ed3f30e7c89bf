// Literal runs of a compiled chain, for scanners that look for plain bytes before running the matcher.
#pragma once

#include <optional>

#include "control/engine/pattern_matcher.h"
#include "control/engine/pattern_segment.h"

namespace zarn {

// The first segment's run when it is the whole pattern (no wildcard, no anchor) and every token compares
// like one byte; otherwise none.
std::optional<LiteralRun> WholeLiteralOf(const PatternSegment& first);

// The longest stretch of tokens that compare like one byte inside any one segment of the chain; the
// first of equally long stretches.
LiteralRun LongestLiteralRunOf(const PatternSegment& first);

}  // namespace zarn
