#include "tools/zarn-find/json_text.h"

#include <cstdint>
#include <cstring>

#include "platform/ole/automation_string.h"

namespace zarn_find {

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// The units of the character at text[i]: 2 for a surrogate pair, otherwise 1.
std::size_t CharacterUnits(std::u16string_view text, std::size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

// Valid UTF-8 behind it: no lone surrogate.
bool IsWellFormed(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t units = CharacterUnits(text, i);
    if (units == 1 && (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))) return false;
    i += units;
  }
  return true;
}

char* Write(std::string_view bytes, char* out) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

char* WriteAsciiCharacter(char16_t c, char* out) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (c) {
    case '"':
      return Write("\\\"", out);
    case '\\':
      return Write("\\\\", out);
    case '\b':
      return Write("\\b", out);
    case '\f':
      return Write("\\f", out);
    case '\n':
      return Write("\\n", out);
    case '\r':
      return Write("\\r", out);
    case '\t':
      return Write("\\t", out);
    default:
      break;
  }
  if (c >= 0x20) {
    *out++ = static_cast<char>(c);
    return out;
  }
  out = Write("\\u00", out);
  *out++ = kHex[c >> 4];
  *out++ = kHex[c & 0xF];
  return out;
}

char* WriteString(std::u16string_view text, char* out) {
  *out++ = '"';
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < 0x80) {
      out = WriteAsciiCharacter(text[i++], out);
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && text[end] >= 0x80) ++end;
    out += ole::BytesFromUtf16Into(text.substr(i, end - i), out);
    i = end;
  }
  *out++ = '"';
  return out;
}

// Standard base64 with padding, fed a byte at a time.
class Base64Writer {
 public:
  explicit Base64Writer(char* out) : out_(out) {}
  void Put(unsigned char byte) {
    group_ = group_ << 8 | byte;
    if (++held_ == 3) WriteGroup(4);
  }
  char* Finish() {
    if (held_ == 0) return out_;
    const int digits = held_ + 1;
    while (held_ < 3) group_ <<= 8, ++held_;
    WriteGroup(digits);
    return out_;
  }

 private:
  // Writes the four digits of the three bytes held, the first `digits` of them as digits and the rest as
  // padding.
  void WriteGroup(int digits) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 4; ++i) out_[i] = i < digits ? kDigits[(group_ >> (18 - 6 * i)) & 0x3F] : '=';
    out_ += 4;
    group_ = 0;
    held_ = 0;
  }

  char* out_;
  std::uint32_t group_ = 0;
  int held_ = 0;
};

char* WriteBytes(std::u16string_view text, char* out) {
  out = Write("{\"bytes\":\"", out);
  Base64Writer base64(out);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t units = CharacterUnits(text, i);
    char bytes[6];
    const std::size_t count = ole::BytesFromUtf16Into(text.substr(i, units), bytes);
    for (std::size_t b = 0; b < count; ++b) base64.Put(static_cast<unsigned char>(bytes[b]));
    i += units;
  }
  return Write("\"}", base64.Finish());
}

}  // namespace

char* WriteJsonText(std::u16string_view text, char* out) {
  return IsWellFormed(text) ? WriteString(text, out) : WriteBytes(text, out);
}

}  // namespace zarn_find
