// The inner loop of the LiteralFinder: for many start positions at once, compares the bytes at the run's
// two rarest positions (letters folded by setting bit 0x20) and has every start whose two bytes match
// confirmed. An AVX2 version (32 starts at a time) is used where the processor has it, the SSE2 version
// (16 at a time) elsewhere on x86-64.
#pragma once

#include <cstddef>

namespace zarn {

struct PairScan {
  std::size_t offset1;  // of the two rare bytes within the run
  std::size_t offset2;
  unsigned char byte1;  // their values, lower-cased where folded
  unsigned char byte2;
  unsigned char fold1;  // 0x20 where the byte is a letter matched in either case
  unsigned char fold2;
  bool (*confirm)(const void* context, const unsigned char* start);
  const void* context;
};

// Searches the starts from `begin` on while a vector's loads stay inside [begin, end) and the start is
// at most `last`. Returns the first confirmed start, or nullptr with `*resume` at the first start it did
// not look at (for a scalar finish).
using PairScanFunction = const unsigned char* (*)(const PairScan& scan, const unsigned char* begin,
                                                  const unsigned char* last, const unsigned char* end,
                                                  const unsigned char** resume);

// The best version for this processor.
PairScanFunction ChoosePairScan();

// Each version by name (tests compare them); Avx2 is nullptr where it is not built or not supported.
PairScanFunction Sse2PairScan();
PairScanFunction Avx2PairScan();

}  // namespace zarn
