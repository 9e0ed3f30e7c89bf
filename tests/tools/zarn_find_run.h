// Running zarn-find as a user does, for the tests of the tool: through pipes, with standard output on a
// descriptor of the test's choosing, or on a terminal.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace kx::test {

// zarn-find with standard output and standard error on pipes; optionally interrupted (Ctrl-C) as soon as
// it has printed something.
Outcome ZarnFind(const std::vector<std::string>& arguments, bool interrupt_after_first_output = false);

// zarn-find with its standard output on `out` (closed when `out` is -1). `while_running` runs while it
// runs, before its standard error is read; run.out stays empty.
Outcome ZarnFindWritingTo(int out, const std::vector<std::string>& arguments,
                          const std::function<void()>& while_running = {});

// zarn-find with its standard output on a terminal (a pseudo-terminal in raw mode, so that the bytes
// arrive as written); run.out is what it wrote there.
Outcome ZarnFindOnTerminal(const std::vector<std::string>& arguments);

// Reads `fd` until its end (or an error), then closes it.
std::string ReadToEnd(int fd);

}  // namespace kx::test
