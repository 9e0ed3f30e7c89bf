#include "platform/win/ascii_text.h"

#include <algorithm>

namespace win::ascii {
namespace {

bool SameIgnoringCase(char a, char b) {
  return ToLower(a) == ToLower(b);
}

}  // namespace

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& byte : upper) byte = ToUpper(byte);
  return upper;
}

std::string ToLower(std::string_view text) {
  std::string lower(text);
  for (char& byte : lower) byte = ToLower(byte);
  return lower;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameIgnoringCase);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(), SameIgnoringCase) != text.end() ||
         part.empty();
}

std::string_view TrimStart(std::string_view text, std::string_view blanks) {
  text.remove_prefix(std::min(text.find_first_not_of(blanks), text.size()));
  return text;
}

std::string_view TrimEnd(std::string_view text, std::string_view blanks) {
  const std::size_t last = text.find_last_not_of(blanks);
  return last == std::string_view::npos ? text.substr(0, 0) : text.substr(0, last + 1);
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
  return TrimEnd(TrimStart(text, blanks), blanks);
}

}  // namespace win::ascii
