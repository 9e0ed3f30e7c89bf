#include "control/object/option_rules.h"

namespace zarn {

std::string StoredSearchPath(std::string_view value) {
  std::string stored(value);
  if (stored.size() >= 2 && stored.back() != '/') stored += '/';
  return stored;
}

std::string StoredSearchExt(std::string_view value) {
  std::string stored(value);
  for (char& c : stored)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return stored;
}

}  // namespace zarn
