// Prints findings to standard output as path:line:col:text lines, through one large buffer. Notices a
// closed pipe (a reader such as head that has seen enough), after which it prints nothing more.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarn_find {

class FindingPrinter {
 public:
  explicit FindingPrinter(int fd);
  ~FindingPrinter();

  void Print(std::string_view path, std::int32_t line, std::int32_t column, std::string_view text);
  // Writes what is buffered.
  void Flush();
  bool PipeClosed() const { return pipe_closed_; }

 private:
  void Append(std::string_view bytes);
  void AppendNumber(std::int32_t number);

  int fd_;
  std::string buffer_;
  bool pipe_closed_ = false;
};

}  // namespace zarn_find
