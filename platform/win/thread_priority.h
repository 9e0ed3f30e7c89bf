// How the five thread priorities map to Linux scheduling (see threads.h).
#pragma once

#include <sys/types.h>

namespace win::detail {

bool IsThreadPriority(int priority);

// Applies `priority` (one of the five) to the kernel thread `tid`. Failures are not reported: a thread
// the process may not raise stays where the kernel leaves it.
void ApplyThreadPriority(pid_t tid, int priority);

}  // namespace win::detail
