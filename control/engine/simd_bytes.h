// Byte scans over memory, 16 bytes at a time with SSE2 (every x86-64 processor has it), byte by byte on
// other processors. These are the inner loops of the scanner: finding line ends, counting them and
// finding candidate positions.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zarn::simd {

#if defined(__SSE2__)
// 16 lanes of bytes.
struct Sse2 {
  using Reg = __m128i;
  static constexpr std::size_t kWidth = 16;
  static Reg Splat(unsigned char byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
  static Reg Load(const unsigned char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
  static Reg Or(Reg a, Reg b) { return _mm_or_si128(a, b); }
  // One bit per lane that holds the same byte in both.
  static std::uint32_t EqualMask(Reg a, Reg b) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b)));
  }
};
inline constexpr bool kHaveVectors = true;
#else
inline constexpr bool kHaveVectors = false;
#endif

// The first byte in [begin, end) equal to `a` or `b`; nullptr when there is none.
const unsigned char* FindEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                    unsigned char b);

// The last byte in [begin, end) equal to `a` or `b`; nullptr when there is none.
const unsigned char* FindLastEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                        unsigned char b);

// How many bytes in [begin, end) equal `byte`.
std::size_t CountByte(const unsigned char* begin, const unsigned char* end, unsigned char byte);

}  // namespace zarn::simd
