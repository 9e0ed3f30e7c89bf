// Class and interface identities (GUIDs), written as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ole {

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::array<std::uint8_t, 8> Data4{};
  friend bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

// "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}" (upper-case hexadecimal, with the braces).
std::string StringFromGUID(const GUID& guid);
// Parses the same form, braces required, hexadecimal digits in either case; nullopt when malformed.
std::optional<GUID> GUIDFromString(std::string_view text);

// For constant identities in code: MakeGuid("3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50") (no braces).
constexpr GUID MakeGuid(std::string_view text);

namespace detail {
constexpr std::uint8_t HexDigit(char c) {
  return static_cast<std::uint8_t>(c >= '0' && c <= '9'   ? c - '0'
                                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                          : c - 'A' + 10);
}
constexpr std::uint64_t HexRun(std::string_view text, std::size_t from, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = from; i < from + count; ++i) value = value * 16 + HexDigit(text[i]);
  return value;
}
}  // namespace detail

constexpr GUID MakeGuid(std::string_view text) {
  GUID guid;
  guid.Data1 = static_cast<std::uint32_t>(detail::HexRun(text, 0, 8));
  guid.Data2 = static_cast<std::uint16_t>(detail::HexRun(text, 9, 4));
  guid.Data3 = static_cast<std::uint16_t>(detail::HexRun(text, 14, 4));
  guid.Data4[0] = static_cast<std::uint8_t>(detail::HexRun(text, 19, 2));
  guid.Data4[1] = static_cast<std::uint8_t>(detail::HexRun(text, 21, 2));
  for (std::size_t i = 0; i < 6; ++i)
    guid.Data4[2 + i] = static_cast<std::uint8_t>(detail::HexRun(text, 24 + 2 * i, 2));
  return guid;
}

}  // namespace ole
