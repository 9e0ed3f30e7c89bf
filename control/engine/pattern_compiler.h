// CompilePattern: turns a search string into the PatternMatcher's chain of segments.
#pragma once

#include <memory>
#include <string_view>

#include "control/engine/pattern_segment.h"

namespace zarn {

struct CompiledChain {
  std::unique_ptr<PatternSegment> first;  // always present, also after a failure
  bool ok = false;                        // false: a "[" without its "]" somewhere in the pattern
};

CompiledChain CompilePattern(std::string_view pattern, bool regular_expression, bool case_sensitive);

}  // namespace zarn
