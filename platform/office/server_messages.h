// The descriptions both servers give when a call fails.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace office {

inline std::string CouldNotOpen(const std::string& path, const std::string& reason) {
  return "The file could not be opened: " + path + " (" + reason + ")";
}

inline std::string CouldNotSave(const std::string& path, const std::string& reason) {
  return "The file could not be saved: " + path + " (" + reason + ")";
}

// `asked` is the format the caller named, if any.
inline std::string FormatNotSupported(const char* supported, std::optional<std::int32_t> asked) {
  return std::string("Only ") + supported + " can be saved" +
         (asked ? "; the file format " + std::to_string(*asked) + " is not supported" : "");
}

}  // namespace office
