// Runs one of our programs as a user would, collecting its output and exit status.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// Runs `program` with `arguments`; optionally sends it SIGINT as soon as it has printed something.
Outcome RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                   bool interrupt_after_first_output = false);

}  // namespace kx::test
