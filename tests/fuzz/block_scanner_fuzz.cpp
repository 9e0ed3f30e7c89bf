// The block scanner against the byte-at-a-time reference scanner (tests/engine/reference_scanner) on any
// file, search string, options and block size, with or without the first block read ahead and the fast
// paths. Properties: the same findings (line, column, text) in the same order, the over-long line (505)
// reported exactly when the reference reports it and at most once, and no other notification.
// Input: one byte of options, two bytes of block size, the search string, the file. With the "compact"
// option the file's bytes are drawn from a small alphabet rich in CR, LF, zero and bytes above 127.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "control/engine/block_search.h"
#include "control/engine/compiled_search.h"
#include "control/engine/error_codes.h"
#include "tests/engine/recording_control.h"
#include "tests/engine/reference_scanner.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

using zarn::BlockBuffer;
using zarn::test::ReferenceOptions;

struct ScanOutcome {
  std::vector<zarn::test::Finding> findings;
  int long_line_reports = 0;
  int other_notifications = 0;
};

ScanOutcome BlockScan(const std::string& bytes, const ReferenceOptions& options, std::size_t block_size,
                      bool fast_paths, bool first_block_read) {
  zarn::test::RecordingControl control;
  control.Options().Set(zarn::SearchOptions::Flag::kWholeWordOnly, options.whole_word_only);
  control.State().ClearStopRequest();
  const zarn::CompiledSearch search(options.pattern, options.regular_expression, options.case_sensitive,
                                    fast_paths);
  const int fd = memfd_create("scan", 0);
  KX_FUZZ_REQUIRE(fd >= 0);
  KX_FUZZ_REQUIRE(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  lseek(fd, 0, SEEK_SET);
  static const auto memory = std::make_unique<unsigned char[]>(BlockBuffer::Size());
  const BlockBuffer buffer{memory.get(), block_size};
  std::size_t first_block = 0;
  if (first_block_read) first_block = static_cast<std::size_t>(read(fd, buffer.block(), block_size));
  zarn::BlockSearch(control, search, "f", buffer).Run(fd, bytes.size(), first_block);
  close(fd);
  ScanOutcome outcome{control.findings()};
  for (const zarn::test::Posted& posted : control.posted()) {
    if (posted.kind == zarn::NotificationKind::kError && posted.code == zarn::kErrorLineTooLong)
      ++outcome.long_line_reports;
    else
      ++outcome.other_notifications;
  }
  return outcome;
}

std::string Compact(std::string bytes) {
  static constexpr char kAlphabet[] = "aAbB x_.\r\n\0\t9\xC3\xA9\xFF";
  for (char& byte : bytes) byte = kAlphabet[static_cast<unsigned char>(byte) % (sizeof(kAlphabet) - 1)];
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
  const std::uint16_t block_choice = input.ConsumeIntegral<std::uint16_t>();
  ReferenceOptions options;
  options.regular_expression = flags & 1;
  options.case_sensitive = flags & 2;
  options.whole_word_only = flags & 4;
  const bool fast_paths = !(flags & 8);
  const bool first_block_read = flags & 16;
  const bool compact = flags & 32;
  const std::size_t block_size = (block_choice & 0x8000) ? BlockBuffer::kBlockSize : 1 + block_choice % 4200;
  options.pattern = input.ConsumeRandomLengthString(32);
  std::string file = input.ConsumeRemainingBytesAsString();
  if (compact) file = Compact(std::move(file));

  const zarn::test::ReferenceResult expected = zarn::test::ReferenceScan(file, "f", options);
  const ScanOutcome actual = BlockScan(file, options, block_size, fast_paths, first_block_read);
  KX_FUZZ_REQUIRE(actual.findings == expected.findings);
  KX_FUZZ_REQUIRE(actual.long_line_reports == (expected.long_line_reported ? 1 : 0));
  KX_FUZZ_REQUIRE(actual.other_notifications == 0);
  return 0;
}
