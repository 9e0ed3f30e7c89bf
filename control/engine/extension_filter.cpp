#include "control/engine/extension_filter.h"

#include "platform/win/ascii_text.h"

namespace zarn {

bool ExtensionFilter(std::string_view name, std::string_view list) {
  if (list.find(".*") != std::string_view::npos) return true;
  if (list.empty() || name.empty()) return false;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  return win::ascii::ContainsIgnoringCase(list, name.substr(dot));
}

}  // namespace zarn
