// What an assignment to an option property stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "control/engine/search_options.h"

namespace zarn {

// SearchPath: a value of two or more characters gets a trailing "/" unless it has one; an empty or
// one-character value is stored as it is.
std::string StoredSearchPath(std::string_view value);

// SearchExt: the value in upper case (ASCII letters).
std::string StoredSearchExt(std::string_view value);

// ThreadPriority: only 0 (Idle) to 4 (Time Critical) are taken; any other value is ignored.
inline bool IsThreadPriority(std::int32_t value) {
  return value >= 0 && value <= 4;
}

// EntryPause (the pace extension): -1, the pause ThreadPriority asks for, or 0 to 10000 milliseconds; any
// other value is refused.
inline constexpr std::int32_t kLongestEntryPause = 10000;
inline bool IsEntryPause(std::int32_t value) {
  return value == SearchOptions::kPaceOfThreadPriority || (value >= 0 && value <= kLongestEntryPause);
}

}  // namespace zarn
