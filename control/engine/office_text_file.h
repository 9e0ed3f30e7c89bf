// The text file an Office document is converted into, held for one conversion and the scan of its text.
// The control's temporary text file (ZarnTemp.TXT in the settings folder) is used when no other
// conversion holds it, in this process or in any other; while one does, a private file beside it is
// created for this conversion alone (ZarnTemp-XXXXXX.TXT, created exclusively) and removed again when the
// holder goes. So no conversion ever writes the text another is about to scan.
//
// Holding the temporary text file is an exclusive advisory lock (flock) on the folder that holds it: a
// lock on the text file itself would not survive a server that replaces the file (Excel's target is
// deleted before the save), and a lock file beside it would be left behind. The lock belongs to the
// holder's own open descriptor, so two holders in one process exclude each other as two processes do,
// and a process that dies lets go of it.
#pragma once

#include <string>

namespace zarn {

class OfficeTextFile {
 public:
  // `temporary_text_file` is the control's temporary text file (a full path).
  explicit OfficeTextFile(const std::string& temporary_text_file);
  ~OfficeTextFile();
  OfficeTextFile(const OfficeTextFile&) = delete;
  OfficeTextFile& operator=(const OfficeTextFile&) = delete;

  // The file to convert into and to read; empty when neither the temporary text file nor a private one
  // could be had.
  const std::string& Path() const { return path_; }

 private:
  bool HoldFolderOf(const std::string& file);
  void CreatePrivateBeside(const std::string& file);

  std::string path_;
  int held_folder_ = -1;  // the locked folder while the temporary text file is ours
  bool private_ = false;  // path_ is our own file, removed by the destructor
};

}  // namespace zarn
