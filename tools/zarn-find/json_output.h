// Findings, errors and a closing summary as JSON Lines, one object per line:
//   {"type":"finding","path":P,"line":N,"column":N,"text":T}
//   {"type":"error","code":N,"message":M[,"path":P]}
//   {"type":"summary","findings":N,"files":N,"errors":N,"seconds":S,"status":N}
// Paths, texts and messages as json_text.h writes them. Errors go here too: nothing else is written to
// standard output.
#pragma once

#include "tools/zarn-find/finding_output.h"

namespace zarn_find {

class JsonOutput : public FindingOutput {
 public:
  explicit JsonOutput(int fd) : FindingOutput(fd) {}
  void Print(const Finding& finding) override;
  void PrintError(std::int32_t code, std::string_view text) override;
  void Finish(const RunSummary& summary) override;

 private:
  void Text(std::u16string_view text);
};

}  // namespace zarn_find
