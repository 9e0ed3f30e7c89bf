// kx-corpus: writes the benchmark corpus, the same bytes on every run and every machine.
//
//   kx-corpus big FILE [--bytes N] [--rare N] [--seed N]    one large file (default 1 GiB, 10 rare lines)
//   kx-corpus tree FOLDER [--files N] [--rare N] [--seed N]  a folder tree (default 20000 files, 8 rare)
//
// Sizes take a K, M or G suffix (powers of 1024). What was planted is printed as key=value lines.
// `kx-corpus --format` prints the format number that those lines carry (see corpus_modes.h).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bench/corpus_lines.h"
#include "bench/corpus_modes.h"
#include "bench/corpus_words.h"

namespace {

constexpr std::uint64_t kDefaultSeed = 0x4B65737472697821ull;

const char kUsage[] =
    "usage: kx-corpus big FILE [--bytes N] [--rare N] [--seed N]\n"
    "       kx-corpus tree FOLDER [--files N] [--rare N] [--seed N]\n"
    "       kx-corpus --format\n";

std::uint64_t ParseCount(std::string_view option, const std::string& text) {
  std::size_t used = 0;
  std::uint64_t value = 0;
  try {
    value = std::stoull(text, &used, 0);
  } catch (const std::exception&) {
    used = 0;
  }
  std::uint64_t unit = 1;
  if (used + 1 == text.size()) {
    switch (text[used]) {
      case 'K':
        unit = 1ull << 10;
        break;
      case 'M':
        unit = 1ull << 20;
        break;
      case 'G':
        unit = 1ull << 30;
        break;
      default:
        unit = 0;
    }
  } else if (used != text.size()) {
    unit = 0;
  }
  if (used == 0 || unit == 0 || value > UINT64_MAX / unit)
    throw std::invalid_argument(std::string(option) + ": not a count: " + text);
  return value * unit;
}

std::uint32_t ParseCount32(std::string_view option, const std::string& text) {
  const std::uint64_t value = ParseCount(option, text);
  if (value > UINT32_MAX) throw std::invalid_argument(std::string(option) + ": too large: " + text);
  return static_cast<std::uint32_t>(value);
}

int Run(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--format") {
    std::printf("%d\n", kx_bench::kCorpusFormat);
    return 0;
  }
  if (argc < 3 || (argc - 3) % 2 != 0) throw std::invalid_argument("wrong number of arguments");
  const std::string mode = argv[1];
  if (mode != "big" && mode != "tree") throw std::invalid_argument("unknown mode: " + mode);
  kx_bench::BigCorpus big{argv[2]};
  kx_bench::TreeCorpus tree{argv[2]};
  big.seed = tree.seed = kDefaultSeed;
  for (int i = 3; i < argc; i += 2) {
    const std::string option = argv[i], value = argv[i + 1];
    if (option == "--seed") {
      big.seed = tree.seed = ParseCount(option, value);
    } else if (option == "--rare") {
      big.rare_lines = tree.rare_files = ParseCount32(option, value);
    } else if (option == "--bytes" && mode == "big") {
      big.bytes = ParseCount(option, value);
    } else if (option == "--files" && mode == "tree") {
      tree.files = ParseCount32(option, value);
    } else {
      throw std::invalid_argument("unknown option for " + mode + ": " += option);
    }
  }
  if (!kx_bench::NoWordHolds(kx_bench::kRareWord) || !kx_bench::NoWordHolds(kx_bench::kCommonWord))
    throw std::logic_error("the word list holds a planted word");

  const auto start = std::chrono::steady_clock::now();
  if (mode == "big") {
    kx_bench::WriteBigCorpus(big);
  } else {
    kx_bench::WriteTreeCorpus(tree);
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "kx-corpus: wrote %s in %.1f s\n", argv[2], took.count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "kx-corpus: %s\n%s", error.what(), kUsage);
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kx-corpus: %s\n", error.what());
    return 1;
  }
}
