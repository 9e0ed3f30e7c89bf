#include "control/object/option_rules.h"

#include "platform/win/ascii_text.h"

namespace zarn {

std::string StoredSearchPath(std::string_view value) {
  std::string stored(value);
  if (stored.size() >= 2 && stored.back() != '/') stored += '/';
  return stored;
}

std::string StoredSearchExt(std::string_view value) {
  return win::ascii::ToUpper(value);
}

}  // namespace zarn
