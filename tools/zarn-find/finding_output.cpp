#include "tools/zarn-find/finding_output.h"

#include <unistd.h>

#include <string>

#include "tools/zarn-find/file_outputs.h"
#include "tools/zarn-find/json_output.h"
#include "tools/zarn-find/line_output.h"
#include "tools/zarn-find/standard_streams.h"

namespace zarn_find {

void FindingOutput::PrintError(std::int32_t code, std::string_view text) {
  out_.Flush();
  std::string line = "zarn-find: error " + std::to_string(code) + ": ";
  line += text;
  line += '\n';
  WriteFully(STDERR_FILENO, line);
}

void FindingOutput::Finish(const RunSummary&) {}

std::unique_ptr<FindingOutput> MakeFindingOutput(const CommandLine& line, int fd) {
  const TerminalColors colors = ColorsFor(line.output != OutputForm::kJson && UseColors(line.color, fd));
  switch (line.output) {
    case OutputForm::kLines:
      break;
    case OutputForm::kFiles:
      return std::make_unique<FileListOutput>(fd, colors);
    case OutputForm::kCounts:
      return std::make_unique<FileCountOutput>(fd, colors);
    case OutputForm::kJson:
      return std::make_unique<JsonOutput>(fd);
  }
  // Where a plain string was searched, the text printed begins with the bytes that matched it.
  const std::size_t match_bytes = line.regular_expression ? 0 : line.search_string.size();
  return std::make_unique<LineOutput>(fd, colors, match_bytes);
}

}  // namespace zarn_find
