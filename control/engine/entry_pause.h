// The pause the folder walk makes after every directory entry, which keeps a walk from taking the whole
// machine. The walk is given its pause when its search job is built (SearchJob): a control pauses
// 41 - 10 x ThreadPriority milliseconds (41 ms at Idle down to 1 ms at Time Critical), and a stop request
// ends a pause at once; a benchmark that times the rest of the walk gives it no pause.
#pragma once

#include <cstdint>

#include "control/engine/search_state.h"

namespace zarn {

inline std::int32_t EntryPauseMilliseconds(std::int32_t thread_priority) {
  return 41 - 10 * thread_priority;
}

// A pause after one entry, given the milliseconds that ThreadPriority asks for.
using EntryPause = void (*)(SearchState& state, std::int32_t milliseconds);

// Waits `milliseconds`, or until a stop is requested: the pause of every control.
void PauseAfterEntry(SearchState& state, std::int32_t milliseconds);

// Does not pause.
void NoPauseAfterEntry(SearchState& state, std::int32_t milliseconds);

}  // namespace zarn
