#include "tools/zarn-find/finding_printer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "platform/ole/automation_string.h"

namespace zarn_find {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
constexpr std::size_t kNumberRoom = 16;
}  // namespace

FindingPrinter::FindingPrinter(int fd) : fd_(fd), buffer_(new char[kFlushAt]), capacity_(kFlushAt) {}

FindingPrinter::~FindingPrinter() { Flush(); }

void FindingPrinter::Print(std::u16string_view path, std::int32_t line, std::int32_t column,
                           std::u16string_view text) {
  MakeRoom(3 * (path.size() + text.size()) + 2 * kNumberRoom + 4);
  AppendText(path);
  Append(':');
  AppendNumber(line);
  Append(':');
  AppendNumber(column);
  Append(':');
  AppendText(text);
  Append('\n');
  if (used_ >= kFlushAt) Flush();
}

// Flushes, or grows the buffer for a record longer than it (a path and a text of thousands of characters).
void FindingPrinter::MakeRoom(std::size_t bytes) {
  if (used_ + bytes <= capacity_) return;
  Flush();
  if (bytes <= capacity_) return;
  capacity_ = bytes;
  buffer_.reset(new char[capacity_]);
}

void FindingPrinter::AppendText(std::u16string_view text) { used_ += ole::BytesFromUtf16Into(text, &buffer_[used_]); }

void FindingPrinter::AppendNumber(std::int32_t number) {
  used_ = static_cast<std::size_t>(std::to_chars(&buffer_[used_], &buffer_[used_ + kNumberRoom], number).ptr -
                                   buffer_.get());
}

void FindingPrinter::Flush() {
  std::size_t written = 0;
  while (written < used_ && !pipe_closed_) {
    const ssize_t count = write(fd_, &buffer_[written], used_ - written);
    if (count > 0) {
      written += static_cast<std::size_t>(count);
    } else if (count < 0 && errno != EINTR) {
      pipe_closed_ = true;  // EPIPE, or any other reason standard output is gone
    }
  }
  used_ = 0;
}

}  // namespace zarn_find
