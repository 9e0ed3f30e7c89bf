#include "bench/corpus_lines.h"

#include <algorithm>
#include <cstring>

#include "bench/corpus_words.h"

namespace kx_bench {

namespace {

// The words up to the last planted one always fit the shortest line: the first word and both planted
// words, or the first word, one random word and one planted word; then ".\n".
static_assert(kLongestWord + 1 + kRareWord.size() + 1 + kCommonWord.size() + 2 <= kShortestLine);
static_assert(2 * kLongestWord + 2 + std::max(kRareWord.size(), kCommonWord.size()) + 2 <= kShortestLine);

constexpr int kTriesForLastWord = 3;

char* Put(char* at, std::string_view word) {
  std::memcpy(at, word.data(), word.size());
  return at + word.size();
}

}  // namespace

std::string_view LineMaker::NextWord() {
  if (words_left_ == 0) {
    word_bits_ = random_.Next();
    words_left_ = 8;
  }
  const std::string_view word = Words()[word_bits_ & 0xFF];
  word_bits_ >>= 8;
  --words_left_;
  return word;
}

std::size_t LineMaker::Line(char* out, Plant plant) {
  const std::size_t length = kShortestLine + random_.Below(kLongestLine - kShortestLine + 1);
  const std::size_t limit = length - 2;  // room for ".\n"
  int rare_slot = -1, common_slot = -1;
  if (plant.rare && plant.common) {
    rare_slot = 1 + static_cast<int>(random_.Below(2));
    common_slot = 3 - rare_slot;
  } else if (plant.rare) {
    rare_slot = 1 + static_cast<int>(random_.Below(2));
  } else if (plant.common) {
    common_slot = 1 + static_cast<int>(random_.Below(2));
  }
  const int last_planted = std::max(rare_slot, common_slot);

  const std::string_view first = NextWord();
  char* at = Put(out, first);
  out[0] = static_cast<char>(out[0] - 'a' + 'A');
  for (int slot = 1;; ++slot) {
    if (slot == rare_slot) {
      *at++ = ' ';
      at = Put(at, kRareWord);
    } else if (slot == common_slot) {
      *at++ = ' ';
      at = Put(at, kCommonWord);
    } else {
      const std::size_t used = static_cast<std::size_t>(at - out);
      std::string_view word = NextWord();
      for (int tries = 1; slot > last_planted && used + 1 + word.size() > limit; ++tries) {
        if (tries == kTriesForLastWord) {
          *at++ = '.';
          *at++ = '\n';
          return static_cast<std::size_t>(at - out);
        }
        word = NextWord();
      }
      *at++ = ' ';
      at = Put(at, word);
    }
  }
}

void LineMaker::Filler(char* out, std::size_t bytes) {
  char* const end = out + bytes - 1;
  char* at = out;
  while (at < end) {
    const std::string_view word = NextWord();
    const std::size_t room = static_cast<std::size_t>(end - at);
    at = Put(at, word.substr(0, room));
    if (at < end) *at++ = ' ';
  }
  *at = '\n';
}

}  // namespace kx_bench
