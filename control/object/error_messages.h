// The text an error carries to the host: the message of its code (control/engine/error_codes.h) followed
// directly by a detail text (a file path, where there is one).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/engine/error_codes.h"

namespace zarn {

// The message of `code`, or nullopt when the table holds none.
std::optional<std::string_view> ErrorMessage(std::int32_t code);

// Message and detail text joined, the message cut to the 299 characters a message may have; nullopt when
// the code has no message (such an error is not raised at all).
std::optional<std::string> ErrorText(std::int32_t code, std::string_view detail);

}  // namespace zarn
