// A plain, slow UTF-8 coder for checking the conversions against: a sequence is valid when it decodes to
// a scalar value whose shortest encoding is exactly that sequence.
#pragma once

#include <string>
#include <string_view>

namespace kx::test {

inline std::string Utf8(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

inline void AppendUtf16(char32_t code, std::u16string& out) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
}

// Bytes to UTF-16 the slow way: the longest valid sequence at each position, else the byte as an escape.
inline std::u16string ReferenceUtf16(std::string_view bytes) {
  std::u16string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t k = 1; k < length && i + k < bytes.size(); ++k) {
      code = code << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    }
    const bool valid = length != 0 && i + length <= bytes.size() && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF) && Utf8(code) == bytes.substr(i, length);
    if (valid) {
      AppendUtf16(code, out);
      i += length;
    } else {
      out += static_cast<char16_t>(0xDC00 + lead);
      i += 1;
    }
  }
  return out;
}

}  // namespace kx::test
