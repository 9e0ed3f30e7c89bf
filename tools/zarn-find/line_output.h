// Findings as lines, path:line:column:text, in the terminal's colours when asked.
#pragma once

#include "tools/zarn-find/finding_output.h"
#include "tools/zarn-find/terminal_colors.h"

namespace zarn_find {

class LineOutput : public FindingOutput {
 public:
  // `match_bytes`: the length of what matched at the start of each text, when it is known (0 otherwise).
  LineOutput(int fd, const TerminalColors& colors, std::size_t match_bytes);
  void Print(const Finding& finding) override;

 private:
  void PrintPlain(const Finding& finding);
  void PrintColored(const Finding& finding);
  void Separator();
  void Number(std::int32_t number);

  TerminalColors colors_;
  std::size_t match_bytes_;  // 0 when the match is not coloured
};

}  // namespace zarn_find
