#include "platform/ole/guid.h"

#include <cstdio>

namespace ole {
namespace {

// "{" 8 "-" 4 "-" 4 "-" 4 "-" 12 "}"
constexpr std::size_t kGuidTextLength = 38;

constexpr bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Where the dashes go in the text between the braces.
constexpr bool IsDashPosition(std::size_t i) {
  return i == 8 || i == 13 || i == 18 || i == 23;
}

}  // namespace

std::string StringFromGUID(const GUID& guid) {
  char text[kGuidTextLength + 1];
  std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return std::string(text, kGuidTextLength);
}

std::optional<GUID> GUIDFromString(std::string_view text) {
  if (text.size() != kGuidTextLength || text.front() != '{' || text.back() != '}') return std::nullopt;
  const std::string_view inner = text.substr(1, kGuidTextLength - 2);
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const bool fits = IsDashPosition(i) ? inner[i] == '-' : IsHex(inner[i]);
    if (!fits) return std::nullopt;
  }
  return MakeGuid(inner);
}

}  // namespace ole
