#include "control/engine/literal_finder.h"

#include <algorithm>
#include <cstring>

#include "control/engine/byte_frequency.h"
#include "control/engine/pair_scan.h"
#include "control/engine/simd_bytes.h"
#include "platform/win/ascii_text.h"

namespace zarn {

namespace {

// Scalar search for the starts in [from, last]: the two rare bytes first, then the whole run.
const unsigned char* ScanScalar(const LiteralFinder& finder, std::size_t rare1, unsigned char byte1,
                                unsigned char mask1, const unsigned char* from, const unsigned char* last) {
  for (const unsigned char* p = from; p <= last; ++p) {
    if ((p[rare1] | mask1) == byte1 && finder.MatchesAt(p)) return p;
  }
  return nullptr;
}

}  // namespace

struct LiteralFinderScans {
  static bool Confirm(const void* finder, const unsigned char* start) {
    return static_cast<const LiteralFinder*>(finder)->MatchesAt(start);
  }

  // The vector pair scan as far as it goes, then the scalar finish.
  static const unsigned char* Pair(const LiteralFinder& f, const unsigned char* begin,
                                   const unsigned char* end) {
    static const PairScanFunction vector_scan = ChoosePairScan();
    const unsigned char* last = end - f.needle_.size();  // the last possible start
    const PairScan scan{f.rare1_,
                        f.rare2_,
                        static_cast<unsigned char>(f.needle_[f.rare1_]),
                        static_cast<unsigned char>(f.needle_[f.rare2_]),
                        static_cast<unsigned char>(f.fold_mask_[f.rare1_]),
                        static_cast<unsigned char>(f.fold_mask_[f.rare2_]),
                        &Confirm,
                        &f};
    const unsigned char* resume = begin;
    if (const unsigned char* found = vector_scan(scan, begin, last, end, &resume)) return found;
    return ScanScalar(f, f.rare1_, scan.byte1, scan.fold1, resume, last);
  }

  static const unsigned char* Single(const LiteralFinder& f, const unsigned char* begin,
                                     const unsigned char* end) {
    const auto byte = static_cast<unsigned char>(f.needle_[0]);
    if (!f.any_folded_) return static_cast<const unsigned char*>(std::memchr(begin, byte, end - begin));
    return simd::FindEitherByte(begin, end, byte, static_cast<unsigned char>(byte & ~0x20));
  }
};

LiteralFinder::LiteralFinder(const LiteralRun& run) : needle_(run.bytes), fold_mask_(run.bytes.size(), '\0') {
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    const auto byte = static_cast<unsigned char>(needle_[i]);
    if (run.folded[i] && win::ascii::IsLetter(byte)) {
      needle_[i] = static_cast<char>(byte | 0x20);
      fold_mask_[i] = 0x20;
      any_folded_ = true;
    }
  }
  ChooseRareBytes();
  if (needle_.size() == 1)
    scan_ = &LiteralFinderScans::Single;
  else
    scan_ = &LiteralFinderScans::Pair;
}

void LiteralFinder::ChooseRareBytes() {
  auto commonness = [this](std::size_t i) {
    const auto byte = static_cast<unsigned char>(needle_[i]);
    int score = ByteCommonness(byte);
    if (fold_mask_[i])
      score = std::min(255, score + ByteCommonness(static_cast<unsigned char>(byte & ~0x20)));
    return score;
  };
  for (std::size_t i = 1; i < needle_.size(); ++i)
    if (commonness(i) < commonness(rare1_)) rare1_ = i;
  rare2_ = rare1_ == 0 ? needle_.size() - 1 : 0;
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (i == rare1_) continue;
    const bool same_byte = needle_[i] == needle_[rare1_];
    const bool best_same = needle_[rare2_] == needle_[rare1_];
    if ((best_same && !same_byte) || (same_byte == best_same && commonness(i) < commonness(rare2_)))
      rare2_ = i;
  }
}

bool LiteralFinder::MatchesAt(const unsigned char* at) const {
  if (!any_folded_) return std::memcmp(at, needle_.data(), needle_.size()) == 0;
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if ((at[i] | static_cast<unsigned char>(fold_mask_[i])) != static_cast<unsigned char>(needle_[i]))
      return false;
  }
  return true;
}

const unsigned char* LiteralFinder::Find(const unsigned char* begin, const unsigned char* end) const {
  if (needle_.empty() || end < begin || static_cast<std::size_t>(end - begin) < needle_.size())
    return nullptr;
  return scan_(*this, begin, end);
}

}  // namespace zarn
