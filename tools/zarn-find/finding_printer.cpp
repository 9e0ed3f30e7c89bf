#include "tools/zarn-find/finding_printer.h"

#include <cerrno>
#include <charconv>

#include "platform/ole/automation_string.h"
#include "tools/zarn-find/standard_streams.h"

namespace zarn_find {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
constexpr std::size_t kNumberRoom = 16;
}  // namespace

FindingPrinter::FindingPrinter(int fd) : fd_(fd), buffer_(new char[kFlushAt]), capacity_(kFlushAt) {}

FindingPrinter::~FindingPrinter() {
  Flush();
}

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

void FindingPrinter::AppendText(std::u16string_view text) {
  used_ += ole::BytesFromUtf16Into(text, &buffer_[used_]);
}

void FindingPrinter::AppendNumber(std::int32_t number) {
  used_ = static_cast<std::size_t>(std::to_chars(&buffer_[used_], &buffer_[used_ + kNumberRoom], number).ptr -
                                   buffer_.get());
}

void FindingPrinter::Flush() {
  if (used_ > 0 && !ended_) {
    const int error = WriteFully(fd_, std::string_view(buffer_.get(), used_));
    ended_ = error != 0;
    if (error != EPIPE) write_error_ = error;
  }
  used_ = 0;
}

}  // namespace zarn_find
