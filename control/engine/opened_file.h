// OpenedFile: a selected file opened for its scan, with its first block read already. This is all the
// waiting a small file asks for (opening it and reading it), so it is what a helper thread does ahead of
// the scan when files are read ahead (file_read_ahead.h); otherwise the scan does it itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "control/engine/block_search.h"

namespace zarn {

class OpenedFile {
 public:
  OpenedFile() = default;
  ~OpenedFile() { Close(); }
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;

  // Opens `path`; when it is a regular file, reads its first block into `buffer`'s block. Only a regular
  // file is read: a name swapped since it was listed for a FIFO, a device or a folder is passed over, like
  // the special files a listing never shows.
  void Open(const std::string& path, const BlockBuffer& buffer);
  void Close();

  // False when the file could not be opened.
  bool Opened() const { return opened_; }
  // True when it is a regular file with bytes to search: its first block was read.
  bool Readable() const { return first_block_ > 0; }
  // The open file, to read what follows the first block; -1 when the first block holds the whole file
  // (it is closed at once then, by the thread that read it).
  int fd() const { return fd_; }
  // The bytes of the file to read in all (the first block included): its size when it was opened.
  std::uint64_t BytesToRead() const { return bytes_to_read_; }
  std::size_t FirstBlock() const { return first_block_; }

 private:
  bool opened_ = false;
  int fd_ = -1;
  std::uint64_t bytes_to_read_ = 0;
  std::size_t first_block_ = 0;
};

}  // namespace zarn
