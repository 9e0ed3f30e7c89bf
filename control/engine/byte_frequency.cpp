#include "control/engine/byte_frequency.h"

#include <array>
#include <string_view>

namespace zarn {
namespace {

// Bytes from most to least frequent in typical text and code; bytes not listed are rare.
constexpr std::string_view kByFrequency =
    " e\ttaoinsrhldcu\nmfpgwyb,.v_k()=;\"0-1/:x2*>'j{}q<#z[]3456789&!+|$@%?\\~`^"
    "SETARIONCLDPMUHFGBWYVKJXQZ";

constexpr std::array<std::uint8_t, 256> BuildTable() {
  std::array<std::uint8_t, 256> table{};
  const std::size_t count = kByFrequency.size();
  for (std::size_t rank = 0; rank < count; ++rank) {
    const auto byte = static_cast<unsigned char>(kByFrequency[rank]);
    table[byte] = static_cast<std::uint8_t>(255 - rank * 200 / count);
  }
  table['\r'] = 40;
  return table;
}

constexpr std::array<std::uint8_t, 256> kCommonness = BuildTable();

}  // namespace

std::uint8_t ByteCommonness(unsigned char byte) {
  return kCommonness[byte];
}

}  // namespace zarn
