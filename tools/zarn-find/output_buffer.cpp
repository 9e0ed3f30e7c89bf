#include "tools/zarn-find/output_buffer.h"

#include <cerrno>

#include "platform/ole/automation_string.h"
#include "tools/zarn-find/standard_streams.h"

namespace zarn_find {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
}  // namespace

OutputBuffer::OutputBuffer(int fd) : fd_(fd), buffer_(new char[kFlushAt]), capacity_(kFlushAt) {}

OutputBuffer::~OutputBuffer() {
  Flush();
}

void OutputBuffer::MakeRoom(std::size_t bytes) {
  if (used_ + bytes <= capacity_) return;
  Flush();
  if (bytes <= capacity_) return;
  capacity_ = bytes;
  buffer_.reset(new char[capacity_]);
}

void OutputBuffer::AppendText(std::u16string_view text) {
  used_ += ole::BytesFromUtf16Into(text, End());
}

void OutputBuffer::EndRecord() {
  if (used_ >= kFlushAt) Flush();
}

void OutputBuffer::Flush() {
  if (used_ > 0 && !ended_) {
    const int error = WriteFully(fd_, std::string_view(buffer_.get(), used_));
    ended_ = error != 0;
    if (error != EPIPE) write_error_ = error;
  }
  used_ = 0;
}

}  // namespace zarn_find
