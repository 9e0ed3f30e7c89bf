// zarn-find: searches a folder for a string from the command line, through the Zarn control.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "kestrix_version.h"
#include "tools/zarn-find/command_line.h"
#include "tools/zarn-find/search_session.h"
#include "tools/zarn-find/standard_streams.h"

namespace {

int Print(const std::string& text) {
  const int error = zarn_find::WriteFully(STDOUT_FILENO, text);
  if (error == 0) return 0;
  std::fprintf(stderr, "zarn-find: cannot write to standard output: %s\n", std::strerror(error));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  zarn_find::ReserveStandardDescriptors();
  const zarn_find::ParseResult parsed = zarn_find::ParseCommandLine(argc, argv);
  switch (parsed.outcome) {
    case zarn_find::ParseResult::Outcome::kHelp:
      return Print(zarn_find::HelpText());
    case zarn_find::ParseResult::Outcome::kVersion:
      return Print("zarn-find " KX_VERSION "\n");
    case zarn_find::ParseResult::Outcome::kError:
      std::fprintf(stderr, "zarn-find: %s\nTry 'zarn-find --help' for more information.\n",
                   parsed.error.c_str());
      return 2;
    case zarn_find::ParseResult::Outcome::kSearch:
      break;
  }
  return zarn_find::RunSearch(parsed.command_line);
}
