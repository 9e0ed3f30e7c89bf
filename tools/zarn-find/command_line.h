// The command line of zarn-find:
//   zarn-find [-c] [-w] [-s] [-x] [--office] [-p N] [--pace] [--tsv FILE] [--color[=WHEN]]
//             [-l | --count | --json] [--stats] PATH TYPES STRING
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/zarn-find/terminal_colors.h"

namespace zarn_find {

// What standard output receives: a line per finding, each file with findings (-l), a count per file
// (--count), or JSON Lines (--json).
enum class OutputForm { kLines, kFiles, kCounts, kJson };

struct CommandLine {
  bool case_sensitive = false;
  bool whole_word_only = false;
  bool look_in_subfolders = false;
  bool regular_expression = false;
  bool office_documents = false;
  bool pace = false;  // the control's own pause after each folder entry; without it, none
  std::int32_t thread_priority = 4;
  std::optional<std::string> tsv_file;
  OutputForm output = OutputForm::kLines;
  ColorChoice color = ColorChoice::kAuto;
  bool stats = false;  // a closing line of figures on standard error
  std::string path;
  std::string types;
  std::string search_string;
};

struct ParseResult {
  enum class Outcome { kSearch, kHelp, kVersion, kError } outcome = Outcome::kError;
  CommandLine command_line;
  std::string error;  // for kError: what is wrong, in one line
};

ParseResult ParseCommandLine(int argc, char** argv);

// The text of --help.
const char* HelpText();

}  // namespace zarn_find
