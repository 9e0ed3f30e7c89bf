// The parts of the text the control gives with an error: its message, and for the errors about a file or
// folder the path that follows the message directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zarn_find {

struct ErrorText {
  std::string_view message;  // trailing blanks left out where a path followed
  std::optional<std::string_view> path;
};

// Splits `text` of error `code`: a file that cannot be opened (504), a line too long to search (505) and a
// search path that does not exist (508) name their path after the message. Any other text, or a text
// that does not begin with the message its code has, is all message.
ErrorText SplitErrorText(std::int32_t code, std::string_view text);

}  // namespace zarn_find
