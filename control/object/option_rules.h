// What an assignment to an option property stores.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

}  // namespace zarn
