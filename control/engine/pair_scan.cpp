#include "control/engine/pair_scan.h"

#include <algorithm>
#include <cstdint>

#include "control/engine/simd_bytes.h"

namespace zarn {

#if defined(__x86_64__)
const unsigned char* PairScanAvx2(const PairScan& scan, const unsigned char* begin, const unsigned char* last,
                                  const unsigned char* end, const unsigned char** resume);
#endif

namespace {

const unsigned char* PairScanSse2(const PairScan& scan, const unsigned char* begin, const unsigned char* last,
                                  const unsigned char* end, const unsigned char** resume) {
  const unsigned char* p = begin;
#if defined(__SSE2__)
  using Vec = simd::Sse2;
  const std::size_t far = std::max(scan.offset1, scan.offset2);
  const Vec::Reg want1 = Vec::Splat(scan.byte1), want2 = Vec::Splat(scan.byte2);
  const Vec::Reg fold1 = Vec::Splat(scan.fold1), fold2 = Vec::Splat(scan.fold2);
  for (; p + far + Vec::kWidth <= end && p <= last; p += Vec::kWidth) {
    std::uint32_t hits = Vec::EqualMask(Vec::Or(Vec::Load(p + scan.offset1), fold1), want1) &
                         Vec::EqualMask(Vec::Or(Vec::Load(p + scan.offset2), fold2), want2);
    for (; hits; hits &= hits - 1) {
      const unsigned char* start = p + __builtin_ctz(hits);
      if (start > last) break;
      if (scan.confirm(scan.context, start)) return start;
    }
  }
#else
  (void)last, (void)end, (void)scan;
#endif
  *resume = p;
  return nullptr;
}

}  // namespace

PairScanFunction Sse2PairScan() {
  return &PairScanSse2;
}

PairScanFunction Avx2PairScan() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx2")) return &PairScanAvx2;
#endif
  return nullptr;
}

PairScanFunction ChoosePairScan() {
  const PairScanFunction avx2 = Avx2PairScan();
  return avx2 ? avx2 : Sse2PairScan();
}

}  // namespace zarn
