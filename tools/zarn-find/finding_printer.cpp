#include "tools/zarn-find/finding_printer.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>

#include "platform/ole/automation_string.h"

namespace zarn_find {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
}

FindingPrinter::FindingPrinter(int fd) : fd_(fd) {
  buffer_.reserve(kBufferSize + 8192);
}

FindingPrinter::~FindingPrinter() {
  Flush();
}

void FindingPrinter::Print(std::u16string_view path, std::int32_t line, std::int32_t column,
                           std::u16string_view text) {
  ole::AppendBytesFromUtf16(path, buffer_);
  buffer_ += ':';
  AppendNumber(line);
  buffer_ += ':';
  AppendNumber(column);
  buffer_ += ':';
  ole::AppendBytesFromUtf16(text, buffer_);
  buffer_ += '\n';
  if (buffer_.size() >= kBufferSize) Flush();
}

void FindingPrinter::AppendNumber(std::int32_t number) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  buffer_.append(digits, result.ptr);
}

void FindingPrinter::Flush() {
  std::size_t written = 0;
  while (written < buffer_.size() && !pipe_closed_) {
    const ssize_t count = write(fd_, buffer_.data() + written, buffer_.size() - written);
    if (count > 0) {
      written += static_cast<std::size_t>(count);
    } else if (count < 0 && errno != EINTR) {
      pipe_closed_ = true;  // EPIPE, or any other reason standard output is gone
    }
  }
  buffer_.clear();
}

}  // namespace zarn_find
