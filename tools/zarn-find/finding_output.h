// What zarn-find writes to standard output for the findings of a search, in one of its forms: lines
// (path:line:column:text, coloured or not), the files with findings, a count per file, or JSON Lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "tools/zarn-find/command_line.h"
#include "tools/zarn-find/output_buffer.h"

namespace zarn_find {

// One finding as the control hands it out; path and text are UTF-16 as the control gives them.
struct Finding {
  std::u16string_view path;
  std::int32_t line;
  std::int32_t column;
  std::u16string_view text;
  bool first_in_file;  // the findings of a file come one after another; this is the first of them
};

// What a run did, for its closing summary.
struct RunSummary {
  std::int64_t findings = 0;
  std::int64_t files = 0;  // files with findings
  std::int64_t errors = 0;
  double seconds = 0;
  int status = 0;  // the exit status
};

class FindingOutput {
 public:
  explicit FindingOutput(int fd) : out_(fd) {}
  virtual ~FindingOutput() = default;
  FindingOutput(const FindingOutput&) = delete;
  FindingOutput& operator=(const FindingOutput&) = delete;

  virtual void Print(const Finding& finding) = 0;
  // An error the control reported; by default a line on standard error, after what is printed so far.
  virtual void PrintError(std::int32_t code, std::string_view text);
  // The search has ended and `summary` tells how; output that waits for the end is written now.
  virtual void Finish(const RunSummary& summary);

  void Flush() { out_.Flush(); }
  bool Ended() const { return out_.Ended(); }
  int WriteError() const { return out_.WriteError(); }

 protected:
  OutputBuffer out_;
};

// The output the command line asks for, writing to `fd`.
std::unique_ptr<FindingOutput> MakeFindingOutput(const CommandLine& line, int fd);

}  // namespace zarn_find
