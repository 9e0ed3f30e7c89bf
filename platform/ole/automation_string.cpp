#include "platform/ole/automation_string.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <limits>

// Layout of one BSTR block: [uint32 length in bytes][characters][zero character]. The BSTR points at the
// first character, so the block starts kPrefix bytes before it.
//
// Conversions. Bytes to UTF-16 decodes UTF-8 strictly: overlong forms, encoded surrogates (ED A0..BF ..),
// code points above U+10FFFF and truncated sequences are not valid. A byte that neither starts nor belongs
// to a valid sequence becomes the lone surrogate 0xDC00 + byte; only 0x80..0xFF can be such a byte, so the
// escapes are U+DC80..U+DCFF. UTF-16 to bytes undoes that: a surrogate pair becomes its code point in UTF-8,
// a lone U+DC80..U+DCFF becomes its byte, and any other lone surrogate (only a host can hand us one) is
// written as its three-byte generalised UTF-8 form so that nothing is dropped. Such text does not survive a
// second trip to UTF-16 unchanged (the three bytes come back as three escapes), nor does a host's own run
// of escapes that happens to spell valid UTF-8. Bytes -> UTF-16 -> bytes is exact for every byte string.

namespace ole {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
constexpr unsigned kMaxLength = std::numeric_limits<std::uint32_t>::max() / sizeof(OLECHAR);

std::byte* BlockOf(BSTR text) {
  return reinterpret_cast<std::byte*>(text) - kPrefix;
}

void SetLength(std::byte* block, unsigned length) {
  const std::uint32_t bytes = static_cast<std::uint32_t>(length * sizeof(OLECHAR));
  std::memcpy(block, &bytes, sizeof bytes);
  reinterpret_cast<OLECHAR*>(block + kPrefix)[length] = 0;
}

// A block for `length` characters with the length and the closing zero set; the characters are not.
BSTR AllocateUninitialised(std::size_t length) {
  if (length > kMaxLength) return nullptr;
  auto* block = static_cast<std::byte*>(std::malloc(kPrefix + (length + 1) * sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  SetLength(block, static_cast<unsigned>(length));
  return reinterpret_cast<BSTR>(block + kPrefix);
}

// Gives a block back the room it did not need, keeping `length` characters.
BSTR Shrink(BSTR text, unsigned length) {
  std::byte* block = BlockOf(text);
  SetLength(block, length);
  void* smaller = std::realloc(block, kPrefix + (length + 1) * sizeof(OLECHAR));
  if (smaller == nullptr) return text;  // the bigger block still holds the right string
  return reinterpret_cast<BSTR>(static_cast<std::byte*>(smaller) + kPrefix);
}

// --- ASCII runs: eight bytes (four characters) at a time.

std::size_t AsciiBytes(const unsigned char* in, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, in + i, 8);
    if (word & 0x8080808080808080u) break;
  }
  while (i < size && in[i] < 0x80) ++i;
  return i;
}

std::size_t AsciiUnits(const char16_t* in, std::size_t size) {
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    std::uint64_t word;
    std::memcpy(&word, in + i, 8);
    if (word & 0xFF80FF80FF80FF80u) break;
  }
  while (i < size && in[i] < 0x80) ++i;
  return i;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the valid sequence starting at in[0], or 0 when in[0] (>= 0x80) starts none.
std::size_t ValidSequenceLength(const unsigned char* in, std::size_t size) {
  const unsigned char lead = in[0];
  if (lead >= 0xC2 && lead <= 0xDF) return size >= 2 && IsContinuation(in[1]) ? 2 : 0;
  // The second byte's range rules out overlongs (E0, F0), surrogates (ED) and code points past U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length;
  if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (size < length || in[1] < low || in[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(in[i])) return 0;
  }
  return length;
}

// Widens the ASCII bytes at the front of `in` (16 at a time), stopping at the first block that holds any
// other byte; returns how many it took.
std::size_t WidenAsciiBlocks(const unsigned char* in, std::size_t size, char16_t* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    if (_mm_movemask_epi8(bytes)) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
  }
#else
  (void)in, (void)size, (void)out;
#endif
  return i;
}

// Narrows the ASCII characters at the front of `in` (16 at a time), stopping at the first block that
// holds any other character; returns how many it took.
std::size_t NarrowAsciiBlocks(const char16_t* in, std::size_t size, char* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
    const __m128i outside = _mm_and_si128(_mm_or_si128(first, second), high);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(outside, zero)) != 0xFFFF) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(first, second));
  }
#else
  (void)in, (void)size, (void)out;
#endif
  return i;
}

// Decodes `size` bytes into `out`, which has room for `size` characters (never more are needed: every
// byte yields at most one). Returns the number of characters written.
std::size_t Decode(const unsigned char* in, std::size_t size, char16_t* out) {
  char16_t* const start = out;
  std::size_t i = WidenAsciiBlocks(in, size, out);
  out += i;
  while (i < size) {
    const std::size_t run = AsciiBytes(in + i, size - i);
    for (std::size_t k = 0; k < run; ++k) out[k] = in[i + k];
    out += run;
    i += run;
    if (i == size) break;

    const unsigned char* s = in + i;
    switch (ValidSequenceLength(s, size - i)) {
      case 2:
        *out++ = static_cast<char16_t>((s[0] & 0x1F) << 6 | (s[1] & 0x3F));
        i += 2;
        break;
      case 3:
        *out++ = static_cast<char16_t>((s[0] & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F));
        i += 3;
        break;
      case 4: {
        const char32_t code =
            (s[0] & 0x07u) << 18 | (s[1] & 0x3Fu) << 12 | (s[2] & 0x3Fu) << 6 | (s[3] & 0x3Fu);
        *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        i += 4;
        break;
      }
      default:
        *out++ = static_cast<char16_t>(0xDC00 + s[0]);
        i += 1;
    }
  }
  return static_cast<std::size_t>(out - start);
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Encodes `size` characters into `out`, which has room for 3 * `size` bytes (the most any character
// needs; a pair needs four for two). Returns the number of bytes written.
std::size_t Encode(const char16_t* in, std::size_t size, char* out) {
  char* const start = out;
  std::size_t i = NarrowAsciiBlocks(in, size, out);
  out += i;
  while (i < size) {
    const std::size_t run = AsciiUnits(in + i, size - i);
    for (std::size_t k = 0; k < run; ++k) out[k] = static_cast<char>(in[i + k]);
    out += run;
    i += run;
    if (i == size) break;

    const char16_t unit = in[i++];
    if (unit < 0x800) {
      *out++ = static_cast<char>(0xC0 | unit >> 6);
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else if (IsHighSurrogate(unit) && i < size && IsLowSurrogate(in[i])) {
      const char32_t code = 0x10000 + ((unit - 0xD800u) << 10 | (in[i++] - 0xDC00u));
      *out++ = static_cast<char>(0xF0 | code >> 18);
      *out++ = static_cast<char>(0x80 | (code >> 12 & 0x3F));
      *out++ = static_cast<char>(0x80 | (code >> 6 & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
      *out++ = static_cast<char>(unit - 0xDC00);
    } else {
      // Any other character, lone surrogates included, in three bytes.
      *out++ = static_cast<char>(0xE0 | unit >> 12);
      *out++ = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return static_cast<std::size_t>(out - start);
}

const unsigned char* Unsigned(std::string_view bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.data());
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  const std::size_t length = std::char_traits<OLECHAR>::length(text);
  if (length > kMaxLength) return nullptr;
  return SysAllocStringLen(text, static_cast<unsigned>(length));
}

BSTR SysAllocStringLen(const OLECHAR* text, unsigned length) {
  BSTR result = AllocateUninitialised(length);
  if (result == nullptr) return nullptr;
  if (text != nullptr) {
    std::memcpy(result, text, length * sizeof(OLECHAR));
  } else {
    std::memset(result, 0, length * sizeof(OLECHAR));
  }
  return result;
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(BlockOf(text));
}

unsigned SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  std::uint32_t bytes;
  std::memcpy(&bytes, BlockOf(text), sizeof bytes);
  return bytes / sizeof(OLECHAR);
}

std::u16string Utf16FromBytes(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  text.resize(Decode(Unsigned(bytes), bytes.size(), text.data()));
  return text;
}

std::string BytesFromUtf16(std::u16string_view text) {
  const std::size_t ascii = AsciiUnits(text.data(), text.size());
  std::string bytes(ascii + 3 * (text.size() - ascii), '\0');
  bytes.resize(Encode(text.data(), text.size(), bytes.data()));
  return bytes;
}

BSTR BstrFromBytes(std::string_view bytes) {
  BSTR text = AllocateUninitialised(bytes.size());
  if (text == nullptr) return nullptr;
  const std::size_t length = Decode(Unsigned(bytes), bytes.size(), text);
  if (length == bytes.size()) return text;
  return Shrink(text, static_cast<unsigned>(length));
}

std::size_t BytesFromUtf16Into(std::u16string_view text, char* out) {
  return Encode(text.data(), text.size(), out);
}

void AppendBytesFromUtf16(std::u16string_view text, std::string& bytes) {
  const std::size_t start = bytes.size();
  const std::size_t ascii = AsciiUnits(text.data(), text.size());
  bytes.resize(start + ascii + 3 * (text.size() - ascii));
  bytes.resize(start + Encode(text.data(), text.size(), bytes.data() + start));
}

std::string BytesFromBstr(BSTR text) {
  return BytesFromUtf16(std::u16string_view(text, SysStringLen(text)));
}

}  // namespace ole
