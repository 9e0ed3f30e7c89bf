#include "tools/zarn-find/error_text.h"

namespace zarn_find {

namespace {

struct PathError {
  std::int32_t code;
  std::string_view message;
};

// The messages as the control words them, blanks included.
constexpr PathError kPathErrors[] = {
    {504, "Unable to open file:  "},
    {505, "Binary File Encountered (Line Exceeded 2048 characters)"},
    {508, "Invalid Search Folder/Path: "},
};

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

ErrorText SplitErrorText(std::int32_t code, std::string_view text) {
  for (const PathError& error : kPathErrors) {
    if (error.code != code || !text.starts_with(error.message) || text.size() == error.message.size())
      continue;
    return {WithoutTrailingBlanks(error.message), text.substr(error.message.size())};
  }
  return {text, std::nullopt};
}

}  // namespace zarn_find
