// Standard output through one large buffer. Output ends when the reader closes the pipe (a reader such as
// head that has seen enough) or when writing fails (a full disk, a closed descriptor); after either
// nothing more is written.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace zarn_find {

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd);
  ~OutputBuffer();
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // Makes room for `bytes` more bytes: flushes, or grows the buffer for a record longer than it (a path
  // and a text of thousands of characters). Every Append must stay within the room made.
  void MakeRoom(std::size_t bytes);
  void Append(char c) { buffer_[used_++] = c; }
  void Append(std::string_view bytes) {
    if (bytes.empty()) return;  // an empty view may have no data pointer to copy from
    std::memcpy(End(), bytes.data(), bytes.size());
    used_ += bytes.size();
  }
  // At most kNumberRoom bytes.
  void AppendNumber(std::int64_t number) { SetEnd(std::to_chars(End(), End() + kNumberRoom, number).ptr); }
  // The bytes `text` stands for (see ole::BytesFromUtf16Into): at most 3 bytes per character.
  void AppendText(std::u16string_view text);
  // Where the next byte goes, for a writer that fills the room made itself, and the end of what it wrote.
  char* End() { return buffer_.get() + used_; }
  void SetEnd(char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
  // Flushes once the buffer holds a large block: the record just ended.
  void EndRecord();

  // Writes what is buffered, waiting for a slow reader.
  void Flush();
  // Output has ended: the pipe was closed, or WriteError() says what failed.
  bool Ended() const { return ended_; }
  // 0, or the error (errno value) of a write that failed for a reason other than a closed pipe.
  int WriteError() const { return write_error_; }

  static constexpr std::size_t kNumberRoom = 24;

 private:
  int fd_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  bool ended_ = false;
  int write_error_ = 0;
};

}  // namespace zarn_find
