// Helpers shared by the tests: a fresh temporary folder, files written into it, a scoped environment
// variable and waiting for a condition with a deadline (tests never sleep to wait).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kx::test {

// A new empty folder under $TMPDIR (or /tmp), removed with everything in it on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending with "/".
  const std::string& path() const { return path_; }
  // path() + relative.
  std::string operator/(std::string_view relative) const;

  // Writes `bytes` to the relative path, creating missing folders; returns the full path.
  std::string Write(std::string_view relative, std::string_view bytes) const;
  // Creates the relative folder (and its parents); returns the full path ending with "/".
  std::string MakeFolder(std::string_view relative) const;

 private:
  std::string path_;
};

// Reads a whole (small) file; nullopt when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

// Sets an environment variable for the lifetime of the object, restoring the previous value after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// Calls `condition` until it holds or `deadline` has passed; returns its last answer. `between` runs
// before each new try (for example to pump a message queue); by default the thread yields briefly.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(20),
             const std::function<void()>& between = {});

}  // namespace kx::test
