// The search string compiled for scanning: the PatternMatcher, plus the fast searches derived from it.
// When the whole pattern is a run of literal bytes, a LiteralFinder finds occurrences within a line;
// otherwise the PatternMatcher does. In both cases a run of literal bytes that every occurrence contains
// (when the pattern has one) finds the candidate lines of a whole block at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control/engine/literal_finder.h"
#include "control/engine/pattern_matcher.h"

namespace zarn {

class CompiledSearch {
 public:
  // `fast_paths` false searches every line with the PatternMatcher alone (tests compare both ways).
  CompiledSearch(std::string_view pattern, bool regular_expression, bool case_sensitive,
                 bool fast_paths = true);

  bool Compiled() const { return matcher_.Compiled(); }
  // False when no line can hold an occurrence (the pattern needs a CR, LF or zero byte, which a searched
  // line never holds).
  bool CanMatchAnyLine() const { return can_match_; }
  // Whether a line is done after its first finding (the pattern is anchored).
  bool OneFindingPerLine() const { return matcher_.AnchoredAtStart() || matcher_.AnchoredAtEnd(); }
  // Whether a line is done once an occurrence fails the whole-word rule: a pattern anchored at the start
  // of the line can lie nowhere further on.
  bool OneCandidatePerLine() const { return matcher_.AnchoredAtStart(); }

  // The first occurrence in the subject, exactly as the PatternMatcher defines it.
  std::optional<PatternMatcher::Occurrence> Find(const unsigned char* subject, std::size_t length) const;

  // A finder for a run that every matching line contains; nullptr when every line must be searched.
  const LiteralFinder* CandidateFinder() const { return candidates_ ? &*candidates_ : nullptr; }

  bool SameAs(std::string_view pattern, bool regular_expression, bool case_sensitive) const {
    return pattern == pattern_ && regular_expression == regular_expression_ &&
           case_sensitive == case_sensitive_;
  }
  const std::string& Pattern() const { return pattern_; }

 private:
  std::string pattern_;
  bool regular_expression_;
  bool case_sensitive_;
  PatternMatcher matcher_;
  std::optional<LiteralFinder> whole_literal_;
  std::optional<LiteralFinder> candidates_;
  bool can_match_ = true;
};

}  // namespace zarn
