// The AVX2 version of the pair scan. This file alone is compiled for AVX2 and is called only where the
// processor has it, so it uses nothing but intrinsics and plain code (no inline library functions that
// could be shared with the rest of the program).
#include <immintrin.h>

#include <cstdint>

#include "control/engine/pair_scan.h"

namespace zarn {

const unsigned char* PairScanAvx2(const PairScan& scan, const unsigned char* begin, const unsigned char* last,
                                  const unsigned char* end, const unsigned char** resume) {
  constexpr std::size_t kWidth = 32;
  const std::size_t far = scan.offset1 > scan.offset2 ? scan.offset1 : scan.offset2;
  const __m256i want1 = _mm256_set1_epi8(static_cast<char>(scan.byte1));
  const __m256i want2 = _mm256_set1_epi8(static_cast<char>(scan.byte2));
  const __m256i fold1 = _mm256_set1_epi8(static_cast<char>(scan.fold1));
  const __m256i fold2 = _mm256_set1_epi8(static_cast<char>(scan.fold2));
  const unsigned char* p = begin;
  for (; p + far + kWidth <= end && p <= last; p += kWidth) {
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + scan.offset1));
    const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + scan.offset2));
    const __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(first, fold1), want1),
                                          _mm256_cmpeq_epi8(_mm256_or_si256(second, fold2), want2));
    for (auto hits = static_cast<std::uint32_t>(_mm256_movemask_epi8(both)); hits; hits &= hits - 1) {
      const unsigned char* start = p + __builtin_ctz(hits);
      if (start > last) break;
      if (scan.confirm(scan.context, start)) return start;
    }
  }
  *resume = p;
  return nullptr;
}

}  // namespace zarn
