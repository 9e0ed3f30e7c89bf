#include "control/engine/simd_bytes.h"

#include <algorithm>
#include <cstring>

namespace zarn::simd {

#if defined(__SSE2__)

const unsigned char* FindEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                    unsigned char b) {
  const Sse2::Reg want_a = Sse2::Splat(a), want_b = Sse2::Splat(b);
  const unsigned char* p = begin;
  for (; p + Sse2::kWidth <= end; p += Sse2::kWidth) {
    const Sse2::Reg block = Sse2::Load(p);
    const std::uint32_t hits = Sse2::EqualMask(block, want_a) | Sse2::EqualMask(block, want_b);
    if (hits) return p + __builtin_ctz(hits);
  }
  for (; p < end; ++p)
    if (*p == a || *p == b) return p;
  return nullptr;
}

const unsigned char* FindLastEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                        unsigned char b) {
  const Sse2::Reg want_a = Sse2::Splat(a), want_b = Sse2::Splat(b);
  const unsigned char* p = end;
  for (; p - begin >= static_cast<std::ptrdiff_t>(Sse2::kWidth); p -= Sse2::kWidth) {
    const Sse2::Reg block = Sse2::Load(p - Sse2::kWidth);
    const std::uint32_t hits = Sse2::EqualMask(block, want_a) | Sse2::EqualMask(block, want_b);
    if (hits) return p - Sse2::kWidth + (31 - __builtin_clz(hits));
  }
  while (p > begin) {
    --p;
    if (*p == a || *p == b) return p;
  }
  return nullptr;
}

// Counts in byte-wide lanes (a lane grows by one per match, at most 255 rounds), then adds the lanes up.
std::size_t CountByte(const unsigned char* begin, const unsigned char* end, unsigned char byte) {
  const __m128i want = _mm_set1_epi8(static_cast<char>(byte));
  const __m128i zero = _mm_setzero_si128();
  std::size_t total = 0;
  const unsigned char* p = begin;
  while (end - p >= 16) {
    __m128i lanes = zero;
    const std::ptrdiff_t rounds = std::min<std::ptrdiff_t>((end - p) / 16, 255);
    for (std::ptrdiff_t i = 0; i < rounds; ++i, p += 16)
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), want));
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    total += static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
             static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
  for (; p < end; ++p) total += *p == byte;
  return total;
}

#else

const unsigned char* FindEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                    unsigned char b) {
  for (const unsigned char* p = begin; p < end; ++p)
    if (*p == a || *p == b) return p;
  return nullptr;
}

const unsigned char* FindLastEitherByte(const unsigned char* begin, const unsigned char* end, unsigned char a,
                                        unsigned char b) {
  for (const unsigned char* p = end; p > begin;)
    if (*--p == a || *p == b) return p;
  return nullptr;
}

std::size_t CountByte(const unsigned char* begin, const unsigned char* end, unsigned char byte) {
  std::size_t total = 0;
  for (const unsigned char* p = begin; p < end; ++p) total += *p == byte;
  return total;
}

#endif

}  // namespace zarn::simd
