// The pause the folder walk makes after every directory entry, which keeps a walk from taking the whole
// machine. A control pauses as its ThreadPriority says, 41 - 10 x ThreadPriority milliseconds (41 ms at
// Idle down to 1 ms at Time Critical), unless a host set the walk's pace to a number of milliseconds of
// its own (0: no pause). A stop request ends a pause at once.
#pragma once

#include <cstdint>

#include "control/engine/search_options.h"
#include "control/engine/search_state.h"

namespace zarn {

inline std::int32_t EntryPauseMilliseconds(std::int32_t thread_priority) {
  return 41 - 10 * thread_priority;
}

// The pause after an entry as the options stand now: the pace, or the one ThreadPriority asks for.
inline std::int32_t EntryPauseMilliseconds(const SearchOptions& options) {
  const std::int32_t pace = options.PaceMilliseconds();
  return pace == SearchOptions::kPaceOfThreadPriority ? EntryPauseMilliseconds(options.ThreadPriority())
                                                      : pace;
}

// How a walk waits out a pause after one entry (tests record the pauses instead).
using EntryPause = void (*)(SearchState& state, std::int32_t milliseconds);

// Waits `milliseconds`, or until a stop is requested: the pause of every control.
void PauseAfterEntry(SearchState& state, std::int32_t milliseconds);

}  // namespace zarn
