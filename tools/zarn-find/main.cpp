// zarn-find: searches a folder for a string from the command line, through the Zarn control.
#include <cstdio>

#include "tools/zarn-find/command_line.h"
#include "tools/zarn-find/search_session.h"

int main(int argc, char** argv) {
  const zarn_find::ParseResult parsed = zarn_find::ParseCommandLine(argc, argv);
  switch (parsed.outcome) {
    case zarn_find::ParseResult::Outcome::kHelp:
      std::fputs(zarn_find::HelpText(), stdout);
      return 0;
    case zarn_find::ParseResult::Outcome::kError:
      std::fprintf(stderr, "zarn-find: %s\nTry 'zarn-find --help' for more information.\n",
                   parsed.error.c_str());
      return 2;
    case zarn_find::ParseResult::Outcome::kSearch:
      break;
  }
  return zarn_find::RunSearch(parsed.command_line);
}
