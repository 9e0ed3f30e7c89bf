#include "tools/zarn-find/search_tally.h"

#include <cstdio>
#include <cstring>

namespace zarn_find {

bool SearchTally::CountFinding(std::u16string_view path) {
  ++findings_;
  // memcmp: comparing char16_t strings through their traits goes a character at a time.
  if (files_ > 0 && path.size() == path_.size() &&
      std::memcmp(path.data(), path_.data(), path.size() * sizeof(char16_t)) == 0)
    return false;
  path_.assign(path);  // reuses the string's room: no allocation per file once it is large enough
  ++files_;
  return true;
}

RunSummary SearchTally::Summary(int status) const {
  return {.findings = findings_,
          .files = files_,
          .errors = errors_,
          .seconds = std::chrono::duration<double>(stop_ - start_).count(),
          .status = status};
}

std::string StatsLine(const RunSummary& summary) {
  char line[160];
  std::snprintf(line, sizeof line,
                "zarn-find: findings: %lld, files with findings: %lld, errors: %lld, seconds: %.3f\n",
                static_cast<long long>(summary.findings), static_cast<long long>(summary.files),
                static_cast<long long>(summary.errors), summary.seconds);
  return line;
}

}  // namespace zarn_find
