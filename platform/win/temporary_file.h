// A new file beside another, for writing a replacement that is then renamed over it.
#pragma once

#include <string>

namespace win {

// Creates a hidden file in the folder of `target` (".NAME.PID.N.tmp"), with the usual mode (0666 less the
// umask), whose name no other writer (thread or process) is using; stores its name in `name` and returns
// the descriptor open for writing, or -1 with errno set.
int CreateTemporaryBeside(const std::string& target, std::string& name);

}  // namespace win
