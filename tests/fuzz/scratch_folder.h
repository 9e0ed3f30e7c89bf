// A folder of the fuzz target's own for the files a target writes, in memory (/dev/shm) where there is
// one, since the code under test flushes each file it replaces to disk. Removed when the process exits.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/fuzz/fuzz_require.h"

namespace kx::fuzz {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/kx-fuzz-XXXXXX";
    KX_FUZZ_REQUIRE(mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace kx::fuzz
