#include "control/object/error_messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zarn {

namespace {
// The trailing blanks and the spellings are part of the messages.
constexpr std::array<std::pair<std::int32_t, std::string_view>, 10> kMessages = {{
    {500, "An error ocurred while writing to Kestrix initialization file. "},
    {501, "An error ocurred while creating a fully qualified path name to the Kestrix initialization file."},
    {502, "Search is in process, abort current search first."},
    {503, "The parameters sent are not valid."},
    {504, "Unable to open file:  "},
    {505, "Binary File Encountered (Line Exceeded 2048 characters)"},
    {506, "RecordNumber argument is invalid"},
    {507, "Invalid Search String:  "},
    {508, "Invalid Search Folder/Path: "},
    {509, "Invalid Search File Type: "},
}};
constexpr std::size_t kMaxMessageLength = 299;
}  // namespace

std::optional<std::string_view> ErrorMessage(std::int32_t code) {
  for (const auto& [number, message] : kMessages)
    if (number == code) return message;
  return std::nullopt;
}

std::optional<std::string> ErrorText(std::int32_t code, std::string_view detail) {
  const std::optional<std::string_view> message = ErrorMessage(code);
  if (!message) return std::nullopt;
  std::string text(message->substr(0, kMaxMessageLength));
  text.append(detail);
  return text;
}

}  // namespace zarn
