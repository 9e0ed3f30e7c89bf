// kx-abort-latency: how long CZarnCtrl::Abort takes to stop a search that is in the middle of a large file.
//
//   kx-abort-latency FILE [--runs N] [--after-ms MS]
//
// First times one whole search of FILE for a string that is not in it. Then, N times (default 20), begins
// the same search, lets it run (MS milliseconds, or by default a point between 20% and 80% of the whole
// search, spread evenly over the runs) while pumping this thread's messages as a host does, and times the
// call of Abort up to its return. Abort must return with SearchActive already false; the program checks
// that, and how long after the return SearchActive became false if it was not.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "control/object/zarn_ctrl.h"
#include "platform/window/message_queue.h"

namespace {

using Clock = std::chrono::steady_clock;

// Never in the corpus: its words are lower-case letters only.
constexpr char kAbsentString[] = "no_such_text_42";
constexpr std::int32_t kPriority = 4;  // zarn-find's default

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// Pumps this thread's messages until `until` or, with `stop_when_inactive`, until the search has ended.
void Pump(const zarn::CZarnCtrl& control, Clock::time_point until, bool stop_when_inactive) {
  while (Clock::now() < until) {
    win::DispatchPendingMessages();
    if (stop_when_inactive && !control.GetSearchActive()) return;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

struct Summary {
  double min = 0, median = 0, max = 0;
};

Summary Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {values.front(), median, values.back()};
}

struct Options {
  std::string file;
  int runs = 20;
  double after_ms = -1;  // < 0: spread over 20%..80% of the whole search
};

bool ParseOptions(int argc, char** argv, Options* options) {
  if (argc < 2 || argc % 2 != 0) return false;
  options->file = argv[1];
  for (int i = 2; i < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--runs") {
      options->runs = std::atoi(argv[i + 1]);
    } else if (option == "--after-ms") {
      options->after_ms = std::atof(argv[i + 1]);
    } else {
      return false;
    }
  }
  return options->runs > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fputs("usage: kx-abort-latency FILE [--runs N] [--after-ms MS]\n", stderr);
    return 2;
  }
  zarn::CZarnCtrl control("kx-abort-latency");  // its own settings file, apart from other hosts'
  control.SetSupportOfficeDocs(false);
  control.SetThreadPriority(kPriority);
  control.SetSearchPath(options.file);
  control.SetSearchExt("*.*");
  control.SetSearchString(kAbsentString);

  const Clock::time_point whole_start = Clock::now();
  if (!control.Begin()) {
    std::fprintf(stderr, "kx-abort-latency: the search of %s could not begin\n", options.file.c_str());
    return 1;
  }
  Pump(control, whole_start + std::chrono::minutes(10), true);
  const double whole_ms = Milliseconds(Clock::now() - whole_start);
  if (control.GetSearchActive() || control.GetSearchCount() != 0) {
    std::fprintf(stderr, "kx-abort-latency: the whole search did not end cleanly\n");
    return 1;
  }

  std::vector<double> abort_ms, inactive_after_ms;
  int inactive_at_return = 0, ended_before_abort = 0;
  for (int run = 0; run < options.runs; ++run) {
    const double fraction = options.runs == 1 ? 0.5 : 0.2 + 0.6 * run / (options.runs - 1);
    const double wait_ms = options.after_ms >= 0 ? options.after_ms : whole_ms * fraction;
    const Clock::time_point begun = Clock::now();
    if (!control.Begin()) return 1;
    Pump(control, begun + std::chrono::microseconds(static_cast<long long>(wait_ms * 1000)), true);
    if (!control.GetSearchActive()) {
      ++ended_before_abort;
      continue;
    }
    const Clock::time_point called = Clock::now();
    control.Abort();
    const Clock::time_point returned = Clock::now();
    const bool active = control.GetSearchActive();
    while (control.GetSearchActive()) std::this_thread::yield();
    const Clock::time_point inactive = active ? Clock::now() : returned;
    abort_ms.push_back(Milliseconds(returned - called));
    inactive_after_ms.push_back(Milliseconds(inactive - returned));
    if (!active) ++inactive_at_return;
    Pump(control, Clock::now() + std::chrono::milliseconds(5), false);  // let the relay settle
  }

  std::printf("file %s; one whole search %.1f ms; priority %d\n", options.file.c_str(), whole_ms, kPriority);
  if (abort_ms.empty()) {
    std::printf("every search ended before Abort could be called (%d runs)\n", ended_before_abort);
    return 1;
  }
  const Summary took = Summarise(abort_ms);
  const Summary late = Summarise(inactive_after_ms);
  std::printf("Abort, call to return: min %.3f ms, median %.3f ms, max %.3f ms over %zu stops\n", took.min,
              took.median, took.max, abort_ms.size());
  std::printf("SearchActive false when Abort returned: %d of %zu (latest false %.3f ms after the return)\n",
              inactive_at_return, abort_ms.size(), late.max);
  if (ended_before_abort > 0) std::printf("searches that ended before Abort: %d\n", ended_before_abort);
  return inactive_at_return == static_cast<int>(abort_ms.size()) ? 0 : 1;
}
