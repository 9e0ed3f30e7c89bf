#include "control/engine/pattern_compiler.h"

#include <optional>

#include "platform/win/ascii_text.h"

namespace zarn {
namespace {

PatternToken LiteralToken(unsigned char byte) {
  PatternToken token;
  token.code = byte;
  return token;
}

// A byte that stands for itself: exact, or the set of its two ASCII cases (one member for a non-letter).
PatternToken ByteToken(unsigned char byte, bool case_sensitive) {
  if (case_sensitive) return LiteralToken(byte);
  PatternToken token;
  token.code = PatternToken::kSet;
  token.members.set(win::ascii::ToUpper(byte));
  token.members.set(win::ascii::ToLower(byte));
  return token;
}

struct ParsedSet {
  PatternToken token;
  std::size_t after;  // index just past the closing "]"
};

// The set that opens at text[open]; members are exact, "\" takes the next byte as a member.
std::optional<ParsedSet> ParseSet(std::string_view text, std::size_t open) {
  ParsedSet set{PatternToken{PatternToken::kSet, {}}, 0};
  for (std::size_t i = open + 1; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == ']') {
      set.after = i + 1;
      return set;
    }
    if (byte == '\\') {
      if (++i == text.size()) break;
      byte = static_cast<unsigned char>(text[i]);
    }
    set.token.members.set(byte);
  }
  return std::nullopt;
}

// Whether the text's last byte is escaped: an odd run of backslashes stands before it.
bool LastByteEscaped(std::string_view text) {
  std::size_t backslashes = 0;
  while (backslashes + 1 < text.size() && text[text.size() - 2 - backslashes] == '\\') ++backslashes;
  return backslashes % 2 == 1;
}

// A "$" at the end (unless escaped, which makes it a literal "$") and a "^" at the start of the segment's
// text; returns the text between them.
std::string_view TakeAnchors(PatternSegment& segment, std::string_view text) {
  if (!text.empty() && text.back() == '$' && !LastByteEscaped(text)) {
    segment.anchored_at_end = true;
    text.remove_suffix(1);
  }
  if (!text.empty() && text.front() == '^') {
    segment.anchored_at_start = true;
    text.remove_prefix(1);
  }
  return text;
}

// The run of "?" and "*" that opens a segment: each "?" widens the lead, a "*" makes it unbounded and
// swallows the rest of the run.
std::string_view TakeLeadingWildcards(PatternSegment& segment, std::string_view text) {
  while (!text.empty() && (text.front() == '?' || text.front() == '*')) {
    if (segment.lead != PatternSegment::kLeadUnbounded) {
      const bool star = text.front() == '*';
      segment.lead = star ? PatternSegment::kLeadUnbounded : segment.lead + 1;
      segment.anchored_at_start = !star;
    }
    text.remove_prefix(1);
  }
  return text;
}

struct RunEnd {
  enum Kind { kPatternEnd, kWildcard, kUnclosedSet } kind;
  std::size_t wildcard = 0;  // for kWildcard: index of the "*" or "?" that opens the next segment
};

// Appends the segment's tokens up to the end of the text or the next wildcard.
RunEnd TakeRun(PatternSegment& segment, std::string_view text, bool case_sensitive) {
  segment.tokens.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte == '*' || byte == '?') return {RunEnd::kWildcard, i};
    if (byte == '\\') {
      // A trailing backslash has nothing to escape and stands for itself.
      const bool escapes = i + 1 < text.size();
      segment.tokens.push_back(LiteralToken(escapes ? static_cast<unsigned char>(text[i + 1]) : byte));
      i += escapes ? 2 : 1;
    } else if (byte == '[') {
      std::optional<ParsedSet> set = ParseSet(text, i);
      if (!set) return {RunEnd::kUnclosedSet};
      segment.tokens.push_back(set->token);
      i = set->after;
    } else {
      segment.tokens.push_back(ByteToken(byte, case_sensitive));
      ++i;
    }
  }
  return {RunEnd::kPatternEnd};
}

void FillShiftTable(PatternSegment& segment) {
  const std::size_t count = segment.count();
  segment.shift_table.fill(count);
  for (std::size_t j = 0; j < count; ++j) {
    const PatternToken& token = segment.tokens[j];
    for (int byte = 0; byte < 256; ++byte) {
      if (token.Matches(static_cast<unsigned char>(byte))) segment.shift_table[byte] = count - 1 - j;
    }
  }
}

CompiledChain CompilePlain(std::string_view pattern, bool case_sensitive) {
  CompiledChain chain{std::make_unique<PatternSegment>(), true};
  chain.first->tokens.reserve(pattern.size());
  for (char byte : pattern)
    chain.first->tokens.push_back(ByteToken(static_cast<unsigned char>(byte), case_sensitive));
  FillShiftTable(*chain.first);
  return chain;
}

// Builds the chain one segment at a time: each wildcard after a run starts the next segment, which
// inherits the end anchor.
CompiledChain CompileExpression(std::string_view pattern, bool case_sensitive) {
  CompiledChain chain{std::make_unique<PatternSegment>(), false};
  PatternSegment* segment = chain.first.get();
  std::string_view text = pattern;
  while (true) {
    if (!segment->anchored_at_start && !segment->anchored_at_end) text = TakeAnchors(*segment, text);
    text = TakeLeadingWildcards(*segment, text);
    const RunEnd end = TakeRun(*segment, text, case_sensitive);
    if (end.kind == RunEnd::kUnclosedSet) return chain;
    FillShiftTable(*segment);
    if (end.kind == RunEnd::kPatternEnd) break;
    text.remove_prefix(end.wildcard);
    segment->next = std::make_unique<PatternSegment>();
    segment->next->anchored_at_start = text.front() == '?';
    segment->next->anchored_at_end = segment->anchored_at_end;
    segment->anchored_at_end = false;
    segment = segment->next.get();
  }
  chain.ok = true;
  return chain;
}

}  // namespace

CompiledChain CompilePattern(std::string_view pattern, bool regular_expression, bool case_sensitive) {
  return regular_expression ? CompileExpression(pattern, case_sensitive)
                            : CompilePlain(pattern, case_sensitive);
}

}  // namespace zarn
