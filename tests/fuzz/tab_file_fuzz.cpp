// The result store and its tab-delimited file, for any findings: any paths and texts (bytes of every
// value, tabs and line breaks included, texts up to the engine's limit), any line and column numbers,
// findings of one file in runs, with or without file numbers. Properties: every record reads back as
// appended, and the file holds the header and then one row per finding, in order, each
// "path TAB line TAB column TAB text CR LF" with the fields byte for byte as stored.
// Input: a repeat count, then findings until the input runs out (each: a byte of kind, numbers and
// data-provider strings).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/engine/finding_record.h"
#include "control/findings/result_store.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/fuzz/scratch_folder.h"

namespace {

constexpr int kMaxRecords = 1100;  // past the end of the store's first segment (1024 records)

struct Stored {
  std::string path;
  std::int32_t line;
  std::int32_t column;
  std::string text;
  std::uint64_t file_number;
};

const std::string& TabFile() {
  static const kx::fuzz::ScratchFolder folder;
  static const std::string file = folder / "findings.tsv";
  return file;
}

std::vector<Stored> Findings(FuzzedDataProvider& input) {
  std::vector<Stored> findings;
  std::uint64_t next_file_number = 1;
  while (input.remaining_bytes() > 0 && findings.size() < 256) {
    const std::uint8_t kind = input.ConsumeIntegral<std::uint8_t>();
    Stored finding;
    if (findings.empty() || (kind & 1)) {  // a finding in a new file
      finding.path = input.ConsumeRandomLengthString(64);
      finding.file_number = (kind & 2) ? next_file_number++ : 0;
    } else {  // another finding in the file of the one before
      finding.path = findings.back().path;
      finding.file_number = findings.back().file_number;
    }
    finding.line = input.ConsumeIntegral<std::int32_t>();
    finding.column = input.ConsumeIntegral<std::int32_t>();
    finding.text = input.ConsumeRandomLengthString(zarn::kMaxTextFound);
    findings.push_back(std::move(finding));
  }
  return findings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Findings repeated up to a thousand records and more cross the first segment boundary. That costs a
  // hundred times as much as storing them once, so only one input in sixteen does it.
  const std::uint8_t repeat_choice = input.ConsumeIntegral<std::uint8_t>();
  int repeats = repeat_choice < 240 ? 1 : (repeat_choice - 239) * 70;
  const std::vector<Stored> findings = Findings(input);
  if (findings.empty()) repeats = 0;
  repeats = std::min(repeats, kMaxRecords / std::max<int>(1, static_cast<int>(findings.size())));

  zarn::ResultStore store;
  std::string expected = "File\tLine\tCol\tItemFound\r\n";
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (const Stored& finding : findings) {
      store.Append({finding.path, finding.line, finding.column, finding.text, finding.file_number});
      expected += finding.path + "\t" + std::to_string(finding.line) + "\t" + std::to_string(finding.column) +
                  "\t" + finding.text + "\r\n";
    }
  }
  KX_FUZZ_REQUIRE(store.Count() == static_cast<std::int32_t>(findings.size()) * repeats);
  for (std::int32_t number = 0; number < store.Count(); ++number) {
    const Stored& finding = findings[static_cast<std::size_t>(number) % findings.size()];
    const zarn::FindingView record = store.Get(number);
    KX_FUZZ_REQUIRE(record.file_path == finding.path && record.text_found == finding.text);
    KX_FUZZ_REQUIRE(record.line_number == finding.line && record.column_number == finding.column);
  }
  KX_FUZZ_REQUIRE(store.SaveToTabFile(TabFile()));
  std::ifstream file(TabFile(), std::ios::binary);
  KX_FUZZ_REQUIRE(std::string(std::istreambuf_iterator<char>(file), {}) == expected);
  return 0;
}
