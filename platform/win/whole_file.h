// Reading a small file whole, and replacing one whole so that readers and a crash see either the old
// or the new contents, never a mixture.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The most ReadWholeFile reads. Settings and registry files hold a few kilobytes; the bound only keeps a
// file that grows without end (or a huge one put in their place) from exhausting memory.
inline constexpr std::size_t kWholeFileLimit = std::size_t{4} << 20;  // 4 MiB

// The file's bytes; "" when the file does not exist; nullopt when it exists but cannot be read, is no
// regular file (a FIFO, a device, a folder, or a link to one) or holds more than kWholeFileLimit bytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a new file in the same folder, flushes it to disk and renames it over `path`
// (over the file a symbolic link names, when `path` is one). A new file gets the usual mode
// (0666 less the umask); a replaced one keeps its mode. On failure `path` is untouched, the temporary
// file is gone and the result is false; no folder is ever created.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

}  // namespace win
