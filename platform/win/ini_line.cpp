#include "platform/win/ini_line.h"

namespace win::ini {
namespace {

constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
  while (from < text.size() && IsBlank(text[from])) ++from;
  return from;
}

bool IsComment(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  return !text.empty() && text.front() == ';';
}

}  // namespace

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  text.remove_prefix(SkipBlanks(text, 0));
  return TrimTrailingBlanks(text);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return std::nullopt;
  return TrimBlanks(text.substr(1, text.size() - 2));
}

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = TrimBlanks(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  const std::size_t value_start = SkipBlanks(line, equals + 1);
  return KeyLine{key, TrimTrailingBlanks(line.substr(value_start)), value_start};
}

}  // namespace win::ini
