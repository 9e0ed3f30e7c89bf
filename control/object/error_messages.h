// The control's message table and the error codes it raises. The text an error carries to the host is
// the message of its code followed directly by a detail text (a file path, where there is one).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/engine/search_control.h"

namespace zarn {

inline constexpr std::int32_t kErrorWritingSettingsFile = 500;
inline constexpr std::int32_t kErrorSettingsFileName = 501;
inline constexpr std::int32_t kErrorSearchInProcess = 502;
inline constexpr std::int32_t kErrorInvalidParameters = 503;
inline constexpr std::int32_t kErrorInvalidRecordNumber = 506;
inline constexpr std::int32_t kErrorSearchFileType = 509;
// 504, 505, 507 and 508 are also raised by the search engine, which defines them (search_control.h).

// The message of `code`, or nullopt when the table holds none.
std::optional<std::string_view> ErrorMessage(std::int32_t code);

// Message and detail text joined, the message cut to the 299 characters a message may have; nullopt when
// the code has no message (such an error is not raised at all).
std::optional<std::string> ErrorText(std::int32_t code, std::string_view detail);

}  // namespace zarn
