// The block scanner against the byte-at-a-time reference, on generated files that hit every line rule:
// CR, LF and CR LF runs, zero bytes, lines around the 2048-byte limit and across block boundaries,
// overlapping and anchored patterns, whole-word edges, bytes above 127 and letter case. Many lines are cut to
// put their line end (or its CR LF pair's halves) exactly at a read-block edge, often followed by an empty
// line, since that is where a block scanner keeps state from one block to the next.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>

#include "control/engine/block_search.h"
#include "control/engine/compiled_search.h"
#include "tests/engine/recording_control.h"
#include "tests/engine/reference_scanner.h"

namespace zarn::test {
namespace {

struct ScanOutcome {
  std::vector<Finding> findings;
  bool long_line_reported = false;
};

// Runs BlockSearch over `bytes` (held in an in-memory file) with the given block size; with
// `first_block_read`, the first block was read before the search began (as when files are read ahead).
ScanOutcome BlockScan(const std::string& bytes, const ReferenceOptions& options, std::size_t block_size,
                      bool fast_paths, bool first_block_read) {
  RecordingControl control;
  control.Options().Set(SearchOptions::Flag::kWholeWordOnly, options.whole_word_only);
  control.State().ClearStopRequest();
  const CompiledSearch search(options.pattern, options.regular_expression, options.case_sensitive,
                              fast_paths);
  const int fd = memfd_create("scan", 0);
  EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  lseek(fd, 0, SEEK_SET);
  // Allocated once for the largest block size: fresh buffers per round cost more than the scans.
  static const auto memory = std::make_unique<unsigned char[]>(BlockBuffer::Size());
  const BlockBuffer buffer{memory.get(), block_size};
  std::size_t first_block = 0;
  if (first_block_read) first_block = static_cast<std::size_t>(read(fd, buffer.block(), block_size));
  BlockSearch(control, search, "f", buffer).Run(fd, bytes.size(), first_block);
  close(fd);
  ScanOutcome outcome{control.findings(), false};
  for (const Posted& posted : control.posted())
    outcome.long_line_reported |= posted.code == kErrorLineTooLong;
  return outcome;
}

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // A file to be read in blocks of `block_size` bytes.
  std::string File(std::size_t block_size) {
    std::string bytes;
    const int lines = Pick(0, 40);
    for (int i = 0; i < lines; ++i) {
      const int shape = Pick(0, 19);
      std::size_t length = shape == 0 ? Pick(2030, 2070) : shape == 1 ? Pick(2100, 5000) : Pick(0, 60);
      const bool at_edge = Pick(0, 2) == 0;
      if (at_edge) length = LengthToBlockEdge(bytes.size(), length, block_size);
      for (std::size_t j = 0; j < length; ++j) bytes += ContentByte(/*stray_line_ends=*/shape > 1);
      bytes += at_edge && Pick(0, 1) == 0 ? "\r\n" : LineEnd();
      if (Pick(0, at_edge ? 1 : 5) == 0) bytes += LineEnd();  // an empty line after it
    }
    if (Pick(0, 3) == 0) bytes.resize(bytes.size() - std::min<std::size_t>(bytes.size(), Pick(1, 3)));
    return bytes;
  }

  ReferenceOptions Options() {
    ReferenceOptions options;
    options.regular_expression = Pick(0, 1) == 1;
    options.case_sensitive = Pick(0, 1) == 1;
    options.whole_word_only = Pick(0, 2) == 0;
    options.pattern = options.regular_expression ? RegexPattern() : Literal(Pick(1, 4));
    return options;
  }

 private:
  std::size_t Pick(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random_);
  }

  // About `wanted` bytes, adjusted so that the line end that follows begins two bytes before, one byte
  // before, at or one byte after a block edge; `wanted` itself when no edge is near.
  std::size_t LengthToBlockEdge(std::size_t at, std::size_t wanted, std::size_t block_size) {
    const std::size_t edge = (at + wanted) / block_size * block_size + block_size;
    if (edge - (at + wanted) > 4096) return wanted;
    const std::size_t line_end_plus_two = edge + Pick(0, 3);
    return line_end_plus_two >= at + 2 ? line_end_plus_two - 2 - at : wanted;
  }

  char ContentByte(bool stray_line_ends) {
    static const std::string kBytes = std::string("aaabbAB x_-.\t9\xC3\xA9", 16) + std::string(1, '\0');
    if (stray_line_ends && Pick(0, 30) == 0) return Pick(0, 1) ? '\r' : '\n';
    return kBytes[Pick(0, kBytes.size() - 1)];
  }

  std::string LineEnd() {
    static const char* kEnds[] = {"\n", "\r\n", "\r", "\n\n", "\r\r\n", "\n\r"};
    return kEnds[Pick(0, 5)];
  }

  std::string Literal(std::size_t length) {
    static const std::string kBytes = "aabAB x_.\xC3";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += kBytes[Pick(0, kBytes.size() - 1)];
    return text;
  }

  std::string RegexPattern() {
    std::string pattern = Pick(0, 4) == 0 ? "^" : "";
    const std::size_t pieces = Pick(1, 4);
    for (std::size_t i = 0; i < pieces; ++i) {
      switch (Pick(0, 7)) {
        case 0:
          pattern += '?';
          break;
        case 1:
          pattern += '*';
          break;
        case 2:
          pattern += "[aB]";
          break;
        case 3:
          pattern += "\\a";
          break;
        default:
          pattern += Literal(Pick(1, 2));
      }
    }
    if (Pick(0, 4) == 0) pattern += '$';
    return pattern;
  }

  std::mt19937 random_;
};

TEST(ScannerDifferential, BlockScannerFindsWhatTheReferenceFinds) {
  Generator generator(20261207);
  const std::size_t kBlockSizes[] = {1, 7, 64, 2049, BlockBuffer::kBlockSize};
  for (int round = 0; round < 1500; ++round) {
    const std::size_t block_size = kBlockSizes[round % 5];
    const std::string file = generator.File(block_size);
    const ReferenceOptions options = generator.Options();
    const ReferenceResult expected = ReferenceScan(file, "f", options);
    const bool fast_paths = round % 7 != 0;
    const bool first_block_read = round % 3 == 0;
    const ScanOutcome actual = BlockScan(file, options, block_size, fast_paths, first_block_read);
    ASSERT_EQ(actual.findings, expected.findings)
        << "round " << round << " pattern '" << options.pattern << "' regex " << options.regular_expression
        << " case " << options.case_sensitive << " word " << options.whole_word_only << " block "
        << block_size << " first block read " << first_block_read;
    ASSERT_EQ(actual.long_line_reported, expected.long_line_reported) << "round " << round;
  }
}

}  // namespace
}  // namespace zarn::test
