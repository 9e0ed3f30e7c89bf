// The scanner's rules carried out literally, one byte at a time, for comparison with the block scanner:
// lines end at CR LF, LF or CR and every line counts; a line stores at most 2048 bytes (a longer one is
// reported once per file); the search sees a line up to its first zero byte; after each occurrence the
// search goes on one byte after the occurrence's first byte; the whole-word rule; the text found is the
// rest of the line, at most 2046 bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/engine/recording_control.h"

namespace zarn::test {

struct ReferenceOptions {
  std::string pattern;
  bool regular_expression = false;
  bool case_sensitive = false;
  bool whole_word_only = false;
};

struct ReferenceResult {
  std::vector<Finding> findings;
  bool long_line_reported = false;
};

ReferenceResult ReferenceScan(std::string_view file_bytes, const std::string& path,
                              const ReferenceOptions& options);

}  // namespace zarn::test
