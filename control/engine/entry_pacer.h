// The pause the folder walk makes after every directory entry, which keeps a walk from taking the whole
// machine: 41 - 10 x ThreadPriority milliseconds (41 ms at Idle down to 1 ms at Time Critical). A stop
// request ends a pause at once.
//
// The definition is chosen when a program is linked: entry_pacer.cpp pauses; benchmarks that measure the
// rest of the walk link one that does not, and tests may link one that records the pauses.
#pragma once

#include <cstdint>

#include "control/engine/search_state.h"

namespace zarn {

inline std::int32_t EntryPauseMilliseconds(std::int32_t thread_priority) {
  return 41 - 10 * thread_priority;
}

void PauseAfterEntry(SearchState& state, std::int32_t milliseconds);

}  // namespace zarn
