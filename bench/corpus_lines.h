// Lines of corpus text: capitalised sentences of random words from corpus_words.h, aimed at 40 to 90 bytes
// with the line end (a line whose last word does not fit ends up to a word shorter), into which the rare
// and the common word can be planted, each at most once in a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bench/corpus_random.h"

namespace kx_bench {

// The rare literal the benchmarks look for, and the common word planted on one line in ten.
inline constexpr std::string_view kRareWord = "Zarnquux";
inline constexpr std::string_view kCommonWord = "kestrel";

inline constexpr std::size_t kShortestLine = 40;
inline constexpr std::size_t kLongestLine = 90;  // a line written by LineMaker never exceeds this

struct Plant {
  bool rare = false;
  bool common = false;
};

class LineMaker {
 public:
  explicit LineMaker(std::uint64_t seed) : random_(seed) {}

  // Writes one line ending in ".\n" at `out`, which has room for kLongestLine bytes; returns its length.
  // A planted word is the second or third word of the line, never the first (which is capitalised), so
  // it appears exactly as spelled in kRareWord and kCommonWord.
  std::size_t Line(char* out, Plant plant);

  // Writes exactly `bytes` bytes (1 to kLongestLine) of words ending in '\n', nothing planted; the last
  // word may be cut short.
  void Filler(char* out, std::size_t bytes);

 private:
  std::string_view NextWord();

  SplitMix64 random_;
  std::uint64_t word_bits_ = 0;
  int words_left_ = 0;
};

// Chooses exactly one line out of every ten consecutive lines, at a random place within each ten.
class TenthPicker {
 public:
  explicit TenthPicker(std::uint64_t seed) : random_(seed) {}

  bool Next() {
    if (position_ == 0) chosen_ = random_.Below(10);
    const bool picked = position_ == chosen_;
    position_ = (position_ + 1) % 10;
    return picked;
  }

 private:
  SplitMix64 random_;
  std::uint32_t position_ = 0;
  std::uint32_t chosen_ = 0;
};

}  // namespace kx_bench
