#include "platform/win/ini_line.h"

#include "platform/win/ascii_text.h"

namespace win::ini {
namespace {

bool IsComment(std::string_view line) {
  const std::string_view text = ascii::Trim(line, ascii::kSpaceAndTab);
  return !text.empty() && text.front() == ';';
}

}  // namespace

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = ascii::Trim(line, ascii::kSpaceAndTab);
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return std::nullopt;
  return ascii::Trim(text.substr(1, text.size() - 2), ascii::kSpaceAndTab);
}

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = ascii::Trim(line.substr(0, equals), ascii::kSpaceAndTab);
  if (key.empty()) return std::nullopt;
  const std::string_view value = ascii::TrimStart(line.substr(equals + 1), ascii::kSpaceAndTab);
  const std::size_t value_start = line.size() - value.size();
  return KeyLine{key, ascii::TrimEnd(value, ascii::kSpaceAndTab), value_start};
}

}  // namespace win::ini
