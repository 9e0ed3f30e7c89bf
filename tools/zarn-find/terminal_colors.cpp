#include "tools/zarn-find/terminal_colors.h"

#include <unistd.h>

#include <cstdlib>

namespace zarn_find {

bool UseColors(ColorChoice choice, int fd) {
  switch (choice) {
    case ColorChoice::kAlways:
      return true;
    case ColorChoice::kNever:
      return false;
    case ColorChoice::kAuto:
      break;
  }
  const char* no_color = std::getenv("NO_COLOR");
  if (no_color != nullptr && *no_color != '\0') return false;
  return isatty(fd) == 1;
}

TerminalColors ColorsFor(bool on) {
  if (!on) return {};
  return {.path = "\x1b[35m",
          .number = "\x1b[32m",
          .match = "\x1b[1;31m",
          .separator = "\x1b[36m",
          .reset = "\x1b[0m"};
}

}  // namespace zarn_find
