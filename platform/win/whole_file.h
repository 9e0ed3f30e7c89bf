// Reading a small file whole, and replacing one whole so that readers and a crash see either the old
// or the new contents, never a mixture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace win {

// The file's bytes; "" when the file does not exist; nullopt when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a new file in the same folder, flushes it to disk and renames it over `path`
// (over the file a symbolic link names, when `path` is one). A new file gets the usual mode
// (0666 less the umask); a replaced one keeps its mode. On failure `path` is untouched, the temporary
// file is gone and the result is false; no folder is ever created.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

}  // namespace win
