#include "control/object/error_messages.h"

namespace zarn {

namespace {
constexpr std::size_t kMaxMessageLength = 299;
}  // namespace

std::optional<std::string_view> ErrorMessage(std::int32_t code) {
  for (const ErrorCodeMessage& entry : kErrorCodeMessages)
    if (entry.code == code) return entry.message;
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
