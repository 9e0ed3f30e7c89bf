// Prints findings to standard output as path:line:col:text lines, through one large buffer. Output ends
// when the reader closes the pipe (a reader such as head that has seen enough) or when writing fails (a
// full disk, a closed descriptor); after either it prints nothing more.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace zarn_find {

class FindingPrinter {
 public:
  explicit FindingPrinter(int fd);
  ~FindingPrinter();

  // Path and text arrive as the control hands them out (UTF-16) and are printed as the bytes they stand
  // for.
  void Print(std::u16string_view path, std::int32_t line, std::int32_t column, std::u16string_view text);
  // Writes what is buffered, waiting for a slow reader.
  void Flush();
  // Output has ended: the pipe was closed, or WriteError() says what failed.
  bool Ended() const { return ended_; }
  // 0, or the error (errno value) of a write that failed for a reason other than a closed pipe.
  int WriteError() const { return write_error_; }

 private:
  void MakeRoom(std::size_t bytes);
  void AppendText(std::u16string_view text);
  void AppendNumber(std::int32_t number);
  void Append(char c) { buffer_[used_++] = c; }

  int fd_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  bool ended_ = false;
  int write_error_ = 0;
};

}  // namespace zarn_find
