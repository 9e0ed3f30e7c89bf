// ExportFile: the file an export writes, streamed through a buffer and either written whole or not at all.
//
// A regular file (new, or existing and writable) is written as a hidden file beside it and renamed over
// it when everything has been written and closed, so a failed export leaves the file that was there (or
// none) under the name asked for. A symbolic link has the file it names replaced, and a replaced file
// keeps its permission bits. Anything else (a FIFO with a reader, a terminal, /dev/null) is opened
// without waiting and then written directly; one that cannot be opened at once (a FIFO without a reader)
// is refused rather than waited for.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zarn {

class ExportFile {
 public:
  ExportFile() = default;
  // Abandons an export that was not finished: the name asked for keeps what it held.
  ~ExportFile();
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // Opens `name` for writing; false when it cannot be written (a missing folder, a read-only file, a
  // folder, a FIFO without a reader), with nothing created or changed.
  bool Open(const std::string& name);
  // Appends `bytes` (only after a successful Open); once a write has failed, the rest is dropped and
  // Finish reports the failure.
  void Write(std::string_view bytes);
  // Writes what is buffered, closes, and puts the new file in place; false when any step failed.
  bool Finish();

 private:
  bool OpenRegular(const std::string& target, int existing);
  bool OpenInPlace(int fd);
  bool OpenDirect(int fd);
  void Flush();
  void WriteOut(std::string_view bytes);
  void Abandon();

  int fd_ = -1;
  std::string target_;     // the name the temporary file is renamed to; empty when written directly
  std::string temporary_;  // the hidden file being written
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace zarn
