// PatternMatcher: the search string compiled into a chain of segments, each a fixed-length run of tokens
// found with a Boyer-Moore-Horspool search driven by a 256-entry ShiftTable.
//
// Plain mode: every byte of the search string stands for itself. Regular-expression mode, the small
// dialect users type:
//   ?        0 or 1 byte                      [abc]  one byte of the members (no ranges, no negation)
//   *        any number of bytes              ^      first byte: the occurrence begins at the subject start
//   \x       the byte x literally             $      last byte: the occurrence ends at the subject end
// Any other byte stands for itself. Case-insensitive patterns fold the ASCII letters only; escaped bytes
// and set members are always compared exactly. A backslash as the very last byte stands for itself.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

struct PatternSegment;

// One element of a segment's run: a literal byte, or a set of bytes.
struct PatternToken {
  static constexpr std::int16_t kSet = -2;
  std::int16_t code = 0;     // 0..255: a literal compared exactly; kSet: a set
  std::bitset<256> members;  // for a set: the bytes it matches (a folded letter is the set {a, A})

  bool Matches(unsigned char byte) const { return code == kSet ? members.test(byte) : code == byte; }
};

// A run of bytes every one of which is a literal or a folded letter, described for fast searching:
// `bytes[i]` is the byte, in lower case where `folded[i]` is set (then both ASCII cases match).
struct LiteralRun {
  std::string bytes;
  std::vector<bool> folded;
  bool empty() const { return bytes.empty(); }
  std::size_t size() const { return bytes.size(); }
};

class PatternMatcher {
 public:
  struct Occurrence {
    std::size_t offset;  // of the occurrence's first byte in the subject
    std::size_t length;  // may run past the subject's end (a trailing "?" run), see the scanner's word rule
  };

  // Compiles `pattern`; Compiled() tells whether that succeeded (a "[" without "]" fails).
  PatternMatcher(std::string_view pattern, bool regular_expression, bool case_sensitive);
  ~PatternMatcher();
  PatternMatcher(const PatternMatcher&) = delete;
  PatternMatcher& operator=(const PatternMatcher&) = delete;

  bool Compiled() const { return compiled_; }

  // The first (leftmost-run) occurrence of the pattern in subject[0, length), or none. Never fails and
  // never changes the matcher.
  std::optional<Occurrence> Find(const unsigned char* subject, std::size_t length) const;

  // Anchors of the first segment, which decide whether a line can hold more than one finding.
  bool AnchoredAtStart() const { return anchored_at_start_; }
  bool AnchoredAtEnd() const { return anchored_at_end_; }

  // When the whole pattern is a single run of literal or folded-letter tokens (no sets of other shapes,
  // no wildcards, no anchors), that run: its occurrence is then exactly the leftmost place where the run
  // matches, and its length the run's length. Otherwise nullopt.
  std::optional<LiteralRun> WholeLiteral() const;

  // The longest stretch of consecutive literal or folded-letter tokens within one segment of the chain:
  // every occurrence of the pattern contains it, so a line without it cannot match. Empty when the
  // pattern has no such token (only wildcards and other sets).
  LiteralRun RequiredRun() const;

 private:
  std::unique_ptr<PatternSegment> first_;  // the chain; the first segment stands for the whole pattern
  bool compiled_ = false;
  bool anchored_at_start_ = false;
  bool anchored_at_end_ = false;
};

}  // namespace zarn
