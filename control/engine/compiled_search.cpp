#include "control/engine/compiled_search.h"

namespace zarn {

namespace {
bool HoldsLineBreakOrZero(const LiteralRun& run) {
  return run.bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}
}  // namespace

CompiledSearch::CompiledSearch(std::string_view pattern, bool regular_expression, bool case_sensitive,
                               bool fast_paths)
    : pattern_(pattern),
      regular_expression_(regular_expression),
      case_sensitive_(case_sensitive),
      matcher_(pattern, regular_expression, case_sensitive) {
  if (!matcher_.Compiled() || !fast_paths) return;
  if (std::optional<LiteralRun> literal = matcher_.WholeLiteral()) {
    can_match_ = !HoldsLineBreakOrZero(*literal);
    whole_literal_.emplace(*literal);
    candidates_.emplace(*literal);
    return;
  }
  const LiteralRun required = matcher_.RequiredRun();
  if (required.empty()) return;
  can_match_ = !HoldsLineBreakOrZero(required);
  candidates_.emplace(required);
}

std::optional<PatternMatcher::Occurrence> CompiledSearch::Find(const unsigned char* subject,
                                                               std::size_t length) const {
  if (!whole_literal_) return matcher_.Find(subject, length);
  const unsigned char* at = whole_literal_->Find(subject, subject + length);
  if (!at) return std::nullopt;
  return PatternMatcher::Occurrence{static_cast<std::size_t>(at - subject), whole_literal_->size()};
}

}  // namespace zarn
