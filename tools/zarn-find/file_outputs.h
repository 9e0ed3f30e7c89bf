// Findings told per file: the files that have any (-l), or how many each has (--count), in the order the
// search found them. A file without findings is not printed.
#pragma once

#include <string>

#include "tools/zarn-find/finding_output.h"
#include "tools/zarn-find/terminal_colors.h"

namespace zarn_find {

// Each file with findings once, a path per line.
class FileListOutput : public FindingOutput {
 public:
  FileListOutput(int fd, const TerminalColors& colors) : FindingOutput(fd), colors_(colors) {}
  void Print(const Finding& finding) override;

 private:
  TerminalColors colors_;
};

// path:N for each file with findings, printed once its last finding has been seen.
class FileCountOutput : public FindingOutput {
 public:
  FileCountOutput(int fd, const TerminalColors& colors) : FindingOutput(fd), colors_(colors) {}
  void Print(const Finding& finding) override;
  void Finish(const RunSummary& summary) override;

 private:
  void PrintCount();

  TerminalColors colors_;
  std::u16string path_;  // the file being counted
  std::int64_t count_ = 0;
};

}  // namespace zarn_find
