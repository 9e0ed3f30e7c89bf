// LiteralFinder: the leftmost occurrence of a run of literal bytes, some of them ASCII letters matched in
// either case, found with vector compares of the run's two rarest bytes and then confirmed byte by byte.
// The scanner uses it to find candidate lines in a whole block at once and, when the search string is a
// plain run of bytes, as the exact leftmost search within a line.
#pragma once

#include <cstddef>
#include <string>

#include "control/engine/pattern_matcher.h"

namespace zarn {

class LiteralFinder {
 public:
  explicit LiteralFinder(const LiteralRun& run);

  // The first position p in [begin, end) where the run matches bytes p .. p+size()-1, all inside
  // [begin, end); nullptr when there is none. The bytes are read only inside [begin, end).
  const unsigned char* Find(const unsigned char* begin, const unsigned char* end) const;

  std::size_t size() const { return needle_.size(); }

  // Whether the run matches at `at` (which must have size() readable bytes).
  bool MatchesAt(const unsigned char* at) const;

 private:
  using Scan = const unsigned char* (*)(const LiteralFinder&, const unsigned char*, const unsigned char*);
  friend struct LiteralFinderScans;

  void ChooseRareBytes();

  std::string needle_;     // the run, lower-cased where folded
  std::string fold_mask_;  // 0x20 where a letter is matched in either case, 0 elsewhere
  bool any_folded_ = false;
  std::size_t rare1_ = 0;  // positions of the two bytes least likely to occur in text
  std::size_t rare2_ = 0;
  Scan scan_ = nullptr;
};

}  // namespace zarn
