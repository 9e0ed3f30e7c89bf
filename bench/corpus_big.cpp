#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/corpus_lines.h"
#include "bench/corpus_modes.h"
#include "bench/corpus_output.h"
#include "bench/corpus_text.h"

namespace kx_bench {

void WriteBigCorpus(const BigCorpus& corpus) {
  if (corpus.rare_lines == 0) throw std::runtime_error("the big file needs at least one rare line");
  // The rare lines sit in the middle of equal slices of the file.
  std::vector<std::uint64_t> rare_offsets;
  for (std::uint64_t slice = 0; slice < corpus.rare_lines; ++slice)
    rare_offsets.push_back((2 * slice + 1) * corpus.bytes / (std::uint64_t{2} * corpus.rare_lines));
  if (rare_offsets.back() > RareOffsetLimit(corpus.bytes) ||
      corpus.bytes / corpus.rare_lines < 2 * kLongestLine)
    throw std::runtime_error("the big file is too small for " + std::to_string(corpus.rare_lines) +
                             " rare lines");

  OutputFile file(corpus.file);
  LineMaker lines(corpus.seed);
  TenthPicker picker(corpus.seed ^ 0x5851F42D4C957F2Dull);
  const TextCounts counts = WriteText(file, corpus.bytes, lines, picker, rare_offsets);
  file.Close();

  std::string numbers;
  for (const std::uint64_t number : counts.rare_line_numbers)
    numbers += (numbers.empty() ? "" : ",") + std::to_string(number);
  std::printf("mode=big\nformat=%d\nfile=%s\nbytes=%llu\nseed=%llu\nlines=%llu\n", kCorpusFormat,
              corpus.file.c_str(), static_cast<unsigned long long>(corpus.bytes),
              static_cast<unsigned long long>(corpus.seed), static_cast<unsigned long long>(counts.lines));
  std::printf("rare_word=%.*s\nrare_lines=%zu\nrare_line_numbers=%s\n", static_cast<int>(kRareWord.size()),
              kRareWord.data(), counts.rare_line_numbers.size(), numbers.c_str());
  std::printf("common_word=%.*s\ncommon_lines=%llu\n", static_cast<int>(kCommonWord.size()),
              kCommonWord.data(), static_cast<unsigned long long>(counts.common_lines));
}

}  // namespace kx_bench
