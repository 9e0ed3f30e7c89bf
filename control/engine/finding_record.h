// One occurrence found by the scanner, as handed to the control's ResultStore. The views point into the
// scanner's buffers and are valid only during the call that receives the record.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zarn {

struct FindingView {
  std::string_view file_path;   // full path as the walk built it (for an Office document: the document)
  std::int32_t line_number;     // first line of a file is 1
  std::int32_t column_number;   // 1 + byte offset of the occurrence in its line
  std::string_view text_found;  // the line from the occurrence on, at most kMaxTextFound bytes
  // Numbers the files of one search from 1, so that a receiver can tell a finding in the same file as the
  // one before without comparing paths; 0 when not known.
  std::uint64_t file_number = 0;
};

inline constexpr std::size_t kMaxTextFound = 2046;

// The longest path the engine lists or records: the platform's path limit.
inline constexpr std::size_t kMaxPath = PATH_MAX;

}  // namespace zarn
