#include "control/engine/pattern_matcher.h"

#include <new>

#include "control/engine/pattern_compiler.h"
#include "control/engine/pattern_literal.h"
#include "control/engine/pattern_search.h"

namespace zarn {

PatternMatcher::PatternMatcher(std::string_view pattern, bool regular_expression, bool case_sensitive) {
  try {
    CompiledChain chain = CompilePattern(pattern, regular_expression, case_sensitive);
    first_ = std::move(chain.first);
    compiled_ = chain.ok;
    anchored_at_start_ = first_->anchored_at_start;
    anchored_at_end_ = first_->anchored_at_end;
  } catch (const std::bad_alloc&) {
    // Out of memory: a failed compile, which finds nothing.
    first_.reset();
    compiled_ = false;
  }
}

PatternMatcher::~PatternMatcher() = default;

std::optional<PatternMatcher::Occurrence> PatternMatcher::Find(const unsigned char* subject,
                                                               std::size_t length) const {
  if (!compiled_) return std::nullopt;
  const std::optional<ChainOccurrence> found = FindInChain(*first_, subject, length);
  if (!found) return std::nullopt;
  return Occurrence{found->offset, found->length};
}

std::optional<LiteralRun> PatternMatcher::WholeLiteral() const {
  if (!compiled_) return std::nullopt;
  return WholeLiteralOf(*first_);
}

LiteralRun PatternMatcher::RequiredRun() const {
  if (!compiled_) return LiteralRun{};
  return LongestLiteralRunOf(*first_);
}

}  // namespace zarn
