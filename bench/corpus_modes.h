// The two corpora kx-corpus writes. Each prints what it planted as key=value lines on standard output
// (the benchmark scripts keep them as the corpus's manifest) and throws std::runtime_error on failure.
#pragma once

#include <cstdint>
#include <string>

namespace kx_bench {

// Printed as format=N; raised whenever the bytes written for the same options change, so that the scripts
// do not reuse a corpus written by an older generator.
inline constexpr int kCorpusFormat = 1;

// One file of `bytes` bytes: the rare word on `rare_lines` lines spread evenly through the file, the
// common word on one line in ten.
struct BigCorpus {
  std::string file;
  std::uint64_t bytes = 1ull << 30;
  std::uint32_t rare_lines = 10;
  std::uint64_t seed = 0;
};
void WriteBigCorpus(const BigCorpus& corpus);

// A folder tree: 210 folders three levels deep, `files` files of 1 to 20 KiB spread over them, one in ten
// named .log and the rest .txt; the rare word on one line each of `rare_files` files, the common word on
// one line in ten. The folder must not exist yet.
struct TreeCorpus {
  std::string folder;
  std::uint32_t files = 20000;
  std::uint32_t rare_files = 8;
  std::uint64_t seed = 0;
};
void WriteTreeCorpus(const TreeCorpus& corpus);

}  // namespace kx_bench
