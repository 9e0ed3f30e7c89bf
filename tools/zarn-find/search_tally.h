// What a run of zarn-find has seen, as far as the control shows it: the findings read, the files they are
// in, the errors reported and the wall time from the start of the search to its end.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/zarn-find/finding_output.h"

namespace zarn_find {

class SearchTally {
 public:
  void Start() { start_ = std::chrono::steady_clock::now(); }
  void Stop() { stop_ = std::chrono::steady_clock::now(); }
  // Counts a finding in `path`; true when it is the first of its file. The search hands out the findings
  // of one file one after another, so a file begins where the path changes.
  bool CountFinding(std::u16string_view path);
  void CountError() { ++errors_; }
  RunSummary Summary(int status) const;

 private:
  std::u16string path_;  // of the last finding
  std::int64_t findings_ = 0;
  std::int64_t files_ = 0;
  std::int64_t errors_ = 0;
  std::chrono::steady_clock::time_point start_{};
  std::chrono::steady_clock::time_point stop_{};
};

// The line --stats prints to standard error:
//   zarn-find: findings: N, files with findings: N, errors: N, seconds: S
std::string StatsLine(const RunSummary& summary);

}  // namespace zarn_find
