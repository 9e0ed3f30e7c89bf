#include "tests/engine/reference_scanner.h"

#include <algorithm>

#include "control/engine/pattern_matcher.h"

namespace zarn::test {

namespace {

constexpr std::size_t kLineLimit = 2048;
constexpr std::size_t kTextLimit = 2046;

bool IsBoundary(unsigned char c) {
  if (c == 9 || c == 10 || c == 11 || c == 12 || c == 13 || c == 32) return true;
  if (c < 33 || c > 126) return false;
  return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
}

bool WholeWord(const unsigned char* line, std::size_t length, std::size_t offset, std::size_t found_length) {
  if (offset != 0 && !IsBoundary(line[offset - 1])) return false;
  if (offset + found_length == length) return true;
  if (offset + found_length > length) return false;
  return IsBoundary(line[offset + found_length]);
}

void SearchLine(const PatternMatcher& matcher, const ReferenceOptions& options, const unsigned char* line,
                std::size_t stored, std::int32_t line_number, const std::string& path,
                ReferenceResult& result) {
  std::size_t length = 0;
  while (length < stored && line[length] != 0) ++length;
  std::size_t at = 0;
  for (;;) {
    const auto found = matcher.Find(line + at, length - at);
    if (!found) return;
    const std::size_t offset = at + found->offset;
    const bool accepted = !options.whole_word_only || WholeWord(line, length, offset, found->length);
    if (accepted) {
      const std::size_t text_length = std::min(length - offset, kTextLimit);
      result.findings.push_back({path, line_number, static_cast<std::int32_t>(offset + 1),
                                 std::string(reinterpret_cast<const char*>(line) + offset, text_length)});
    }
    if (offset >= length) return;
    at = offset + 1;
    if (matcher.AnchoredAtStart() || (accepted && matcher.AnchoredAtEnd())) return;
  }
}

}  // namespace

ReferenceResult ReferenceScan(std::string_view bytes, const std::string& path,
                              const ReferenceOptions& options) {
  const PatternMatcher matcher(options.pattern, options.regular_expression, options.case_sensitive);
  ReferenceResult result;
  unsigned char line[kLineLimit + 1];
  std::int32_t line_number = 1;
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t stored = 0;
    bool over_long = false;
    for (; i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n'; ++i) {
      if (stored < kLineLimit)
        line[stored++] = static_cast<unsigned char>(bytes[i]);
      else
        over_long = true;
    }
    if (i < bytes.size()) i += (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    line[stored] = 0;
    result.long_line_reported |= over_long;
    if (matcher.Compiled()) SearchLine(matcher, options, line, stored, line_number, path, result);
    ++line_number;
  }
  return result;
}

}  // namespace zarn::test
