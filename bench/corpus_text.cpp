#include "bench/corpus_text.h"

#include <stdexcept>

namespace kx_bench {

TextCounts WriteText(OutputFile& file, std::uint64_t bytes, LineMaker& lines, TenthPicker& picker,
                     const std::vector<std::uint64_t>& rare_offsets) {
  TextCounts counts;
  std::uint64_t written = 0;
  std::size_t next_rare = 0;
  while (bytes - written > kLongestLine) {
    Plant plant;
    plant.rare = next_rare < rare_offsets.size() && written >= rare_offsets[next_rare];
    plant.common = picker.Next();
    const std::size_t length = lines.Line(file.Room(kLongestLine), plant);
    file.Advance(length);
    written += length;
    ++counts.lines;
    if (plant.rare) {
      counts.rare_line_numbers.push_back(counts.lines);
      ++next_rare;
    }
    if (plant.common) ++counts.common_lines;
  }
  if (next_rare != rare_offsets.size()) throw std::logic_error("a rare offset lies past the last full line");
  if (written < bytes) {
    const std::size_t rest = static_cast<std::size_t>(bytes - written);
    lines.Filler(file.Room(rest), rest);
    file.Advance(rest);
    ++counts.lines;
  }
  return counts;
}

}  // namespace kx_bench
