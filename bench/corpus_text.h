// Writes a run of corpus lines of an exact size into a file, planting the rare word at given offsets and
// the common word on the lines a TenthPicker picks. Shared by the big file and the files of the tree.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/corpus_lines.h"
#include "bench/corpus_output.h"

namespace kx_bench {

struct TextCounts {
  std::uint64_t lines = 0;
  std::uint64_t common_lines = 0;
  std::vector<std::uint64_t> rare_line_numbers;  // 1-based, ascending
};

// Writes exactly `bytes` bytes of lines. The rare word goes into the first line that starts at or after
// each of `rare_offsets` (ascending, none above RareOffsetLimit(bytes)); lines past the last full one are
// filler, never planted.
TextCounts WriteText(OutputFile& file, std::uint64_t bytes, LineMaker& lines, TenthPicker& picker,
                     const std::vector<std::uint64_t>& rare_offsets);

// The highest offset WriteText can plant at for a text of `bytes` bytes (0 when it is too short).
inline std::uint64_t RareOffsetLimit(std::uint64_t bytes) {
  return bytes > 3 * kLongestLine ? bytes - 3 * kLongestLine : 0;
}

}  // namespace kx_bench
