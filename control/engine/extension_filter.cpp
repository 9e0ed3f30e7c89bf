#include "control/engine/extension_filter.h"

namespace zarn {
namespace {

char UpperAscii(char byte) {
  return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && UpperAscii(text[at + i]) == UpperAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

}  // namespace

bool ExtensionFilter(std::string_view name, std::string_view list) {
  if (list.find(".*") != std::string_view::npos) return true;
  if (list.empty() || name.empty()) return false;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  return ContainsIgnoringAsciiCase(list, name.substr(dot));
}

}  // namespace zarn
