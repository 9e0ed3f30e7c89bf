// Runs a converter program with an argument vector (never through a shell), capturing its standard
// output and standard error through pipes, within a time limit. The program runs in a process group of
// its own; when it is still running at the limit, the whole group is killed (SIGKILL) and the program is
// reaped, and whatever it left running when it ended is killed too, so no process outlives the call.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace office {

enum class ProcessEnd {
  kExited,         // `code` is the exit status
  kSignalled,      // `code` is the signal that ended it
  kTimedOut,       // still running at the limit: killed
  kTooMuchOutput,  // wrote more than the limit allows: killed
  kNotStarted,     // `code` is the errno of the failure
};

struct ProcessOutcome {
  ProcessEnd end = ProcessEnd::kNotStarted;
  int code = 0;
  std::string out;
  std::string err;
};

struct ProcessLimits {
  std::chrono::milliseconds time{20000};
  std::size_t output_bytes = std::size_t{256} << 20;  // standard output and standard error together
};

// `arguments` starts with the program, found along PATH unless it holds a "/". Standard input is
// /dev/null.
ProcessOutcome RunConverter(const std::vector<std::string>& arguments, const ProcessLimits& limits);

}  // namespace office
