#include "platform/win/name_pattern.h"

#include <cstddef>

#include "platform/win/ascii_text.h"

namespace win::detail {
namespace {

constexpr std::size_t kNoStar = std::string_view::npos;

bool IsWildcard(char byte) {
  return byte == '*' || byte == '?';
}

// Whether what is left of the pattern from `position` on can match the end of the name: only stars,
// question marks and dots that are followed by a wildcard.
bool MatchesEndOfName(std::string_view pattern, std::size_t position) {
  for (; position < pattern.size(); ++position) {
    const char byte = pattern[position];
    const bool dot_before_wildcard =
        byte == '.' && position + 1 < pattern.size() && IsWildcard(pattern[position + 1]);
    if (!IsWildcard(byte) && !dot_before_wildcard) return false;
  }
  return true;
}

// Greedy matching that returns to the last star on a mismatch. "?" never has a choice to make (it takes
// one byte unless it stands at a dot or the end), so the last star is the only place to retry from.
bool MatchWildcards(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = kNoStar;
  std::size_t star_name = 0;  // where the bytes taken by the last star end
  for (;;) {
    if (n == name.size() && MatchesEndOfName(pattern, p)) return true;
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
      continue;
    }
    if (n < name.size() && p < pattern.size()) {
      if (pattern[p] == '?') {
        if (name[n] != '.') ++n;
        ++p;
        continue;
      }
      if (ascii::ToLower(pattern[p]) == ascii::ToLower(name[n])) {
        ++p;
        ++n;
        continue;
      }
    }
    if (star == kNoStar || star_name == name.size()) return false;
    p = star + 1;
    n = ++star_name;
  }
}

}  // namespace

NamePattern::NamePattern(std::string_view text)
    : text_(text),
      has_wildcards_(text.find_first_of("*?") != std::string_view::npos),
      matches_every_name_(text == "*" || text == "*.*") {}

bool NamePattern::Matches(std::string_view name) const {
  return matches_every_name_ || MatchWildcards(text_, name);
}

}  // namespace win::detail
