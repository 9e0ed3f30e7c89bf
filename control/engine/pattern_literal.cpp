#include "control/engine/pattern_literal.h"

#include "platform/win/ascii_text.h"

namespace zarn {
namespace {

struct LiteralByte {
  unsigned char byte;  // lower case when folded
  bool folded;
};

// A token that compares like one byte: a literal, a set of one member, or the set of the two cases of
// one ASCII letter.
std::optional<LiteralByte> AsLiteralByte(const PatternToken& token) {
  if (token.code != PatternToken::kSet) return LiteralByte{static_cast<unsigned char>(token.code), false};
  const std::size_t members = token.members.count();
  if (members == 1) {
    for (int byte = 0; byte < 256; ++byte) {
      if (token.members.test(byte)) return LiteralByte{static_cast<unsigned char>(byte), false};
    }
  }
  if (members == 2) {
    for (int lower = 'a'; lower <= 'z'; ++lower) {
      if (token.members.test(lower) &&
          token.members.test(win::ascii::ToUpper(static_cast<unsigned char>(lower))))
        return LiteralByte{static_cast<unsigned char>(lower), true};
    }
  }
  return std::nullopt;
}

void Append(LiteralRun& run, LiteralByte literal) {
  run.bytes.push_back(static_cast<char>(literal.byte));
  run.folded.push_back(literal.folded);
}

}  // namespace

std::optional<LiteralRun> WholeLiteralOf(const PatternSegment& first) {
  if (first.next || first.lead != 0 || first.anchored_at_start || first.anchored_at_end) return std::nullopt;
  if (first.tokens.empty()) return std::nullopt;
  LiteralRun run;
  for (const PatternToken& token : first.tokens) {
    const std::optional<LiteralByte> literal = AsLiteralByte(token);
    if (!literal) return std::nullopt;
    Append(run, *literal);
  }
  return run;
}

LiteralRun LongestLiteralRunOf(const PatternSegment& first) {
  const PatternSegment* best_segment = nullptr;
  std::size_t best_begin = 0;
  std::size_t best_size = 0;
  for (const PatternSegment* segment = &first; segment; segment = segment->next.get()) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < segment->count(); ++i) {
      if (!AsLiteralByte(segment->tokens[i])) {
        begin = i + 1;
      } else if (i + 1 - begin > best_size) {
        best_segment = segment;
        best_begin = begin;
        best_size = i + 1 - begin;
      }
    }
  }
  LiteralRun run;
  for (std::size_t i = 0; i < best_size; ++i)
    Append(run, *AsLiteralByte(best_segment->tokens[best_begin + i]));
  return run;
}

}  // namespace zarn
