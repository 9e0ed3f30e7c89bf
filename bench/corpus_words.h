// The words the corpus is made of: 256 common English words, lower case, 2 to 10 letters. None of them
// holds the planted words (see corpus_lines.h), so every occurrence of those in the corpus is one we put
// there.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kx_bench {

inline constexpr std::size_t kWordCount = 256;
inline constexpr std::size_t kLongestWord = 10;

const std::array<std::string_view, kWordCount>& Words();

// True when no word holds `planted` in any letter case; checked once before writing.
bool NoWordHolds(std::string_view planted);

}  // namespace kx_bench
