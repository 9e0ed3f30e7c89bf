// Prints findings to standard output as path:line:col:text lines, through one large buffer. Notices a
// closed pipe (a reader such as head that has seen enough), after which it prints nothing more.
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
  // Writes what is buffered.
  void Flush();
  bool PipeClosed() const { return pipe_closed_; }

 private:
  void MakeRoom(std::size_t bytes);
  void AppendText(std::u16string_view text);
  void AppendNumber(std::int32_t number);
  void Append(char c) { buffer_[used_++] = c; }

  int fd_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  bool pipe_closed_ = false;
};

}  // namespace zarn_find
