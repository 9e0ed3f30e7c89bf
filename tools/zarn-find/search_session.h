// One run of zarn-find: creates the control, sets its options, begins the search and pumps this thread's
// message queue until the search has ended, printing the findings as they become readable.
#pragma once

#include "tools/zarn-find/command_line.h"

namespace zarn_find {

// Exit status of a run: 0 something found, 1 nothing found, 2 could not start, or the findings could not
// all be written (to standard output for a reason other than a closed pipe, or to the tab-delimited file),
// 130 stopped by Ctrl-C.
int RunSearch(const CommandLine& command_line);

}  // namespace zarn_find
