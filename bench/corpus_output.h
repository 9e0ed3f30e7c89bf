// A file written through a large buffer: the generator asks for room, writes into it and moves on; the
// buffer goes to the file with write(2) whenever it is full, several MiB at a time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kx_bench {

class OutputFile {
 public:
  static constexpr std::size_t kDefaultBufferBytes = 8u << 20;

  // Creates (or truncates) the file; throws std::runtime_error when it cannot. `buffer_bytes` must be at
  // least the largest Room asked for.
  explicit OutputFile(const std::string& path, std::size_t buffer_bytes = kDefaultBufferBytes);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Room for at least `bytes` bytes (at most the buffer's size) at the end of what was written.
  char* Room(std::size_t bytes);
  // Counts `bytes` bytes written into the last Room as part of the file.
  void Advance(std::size_t bytes) { used_ += bytes; }
  // Writes what is buffered and closes the file; throws std::runtime_error on failure.
  void Close();

 private:
  void Flush();

  std::string path_;
  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

}  // namespace kx_bench
