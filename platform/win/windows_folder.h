// The Windows folder: where settings files and the temporary text file live.
// Here it is $XDG_CONFIG_HOME/kestrix, else $HOME/.config/kestrix, created with mode 0700 on first use.
// It is unavailable when neither variable names a folder, or the folder cannot be created.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace win {

// Copies the folder path (without a trailing separator) and its terminating zero into `buffer`.
// Returns the length of the path; 0 when the folder is unavailable; when `size` is too small, the size
// needed including the terminating zero (and `buffer` is left unchanged).
unsigned GetWindowsDirectory(char* buffer, unsigned size);

// The same as a string; nullopt when unavailable.
std::optional<std::string> WindowsFolder();

}  // namespace win
