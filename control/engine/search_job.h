// The search job: the worker thread that runs one search from its start to its end, and the stop.
//
// The worker reads SearchPath once at its start and picks the mode: a folder is walked (or, when SearchExt
// holds no asterisk, the single name folder + SearchExt is scanned); a file is scanned alone; a path that
// does not exist is reported (508). A search that ends by itself posts its completion; a stopped one
// does not. Last of all the worker records the duration and clears search active.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "control/engine/entry_pause.h"
#include "control/engine/search_control.h"

namespace zarn {

// How long Abort (and the control's destruction) waits for the worker to stop.
inline constexpr std::chrono::milliseconds kStopWaitLimit{3000};

// The operating system's thread priority for ThreadPriority 0..4 (Idle .. Time Critical).
int OperatingSystemPriority(std::int32_t thread_priority);

// What a search's worker is started with besides its control: the operating-system priority it starts at
// (by ThreadPriority).
struct SearchJob {
  std::int32_t thread_priority = 2;
};

// Starts the worker for a search that Begin has prepared (search active set, stop cleared); it begins its
// work once the search state releases it. The worker shares ownership of `control`. False when no thread
// could be created.
bool StartSearchWorker(std::shared_ptr<SearchControl> control, const SearchJob& job);

// The worker's procedure; runs the whole search on the calling thread, waiting out the walk's pauses with
// `entry_pause` (tests call it directly and record the pauses).
std::uint32_t SearchWorker(SearchControl& control, EntryPause entry_pause = PauseAfterEntry);

// Abort: requests a stop, turns search time into the duration so far when a search is active, and waits
// until the worker has cleared search active or the wait limit has passed.
void AbortSearch(SearchState& state);

// True when the thread of every search worker started in this process has exited, so that none runs the
// library's code any more (a library must not be unloaded under one). Threads found to have exited are
// forgotten.
bool SearchWorkersHaveExited();

}  // namespace zarn
