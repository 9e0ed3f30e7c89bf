// FileReadAhead: the files a walk selected, opened and their first blocks read on helper threads ahead of
// their scans. On a tree of many small files a search waits mostly for opening and reading them one
// after another; here helpers do that for the next few files while the search thread scans the current
// one. The scans themselves stay on the search thread, in the order the files were selected, so findings
// and errors come exactly as from a walk that reads each file when it scans it.
//
// A window of slots holds the files between their selection and their scan. A helper takes the oldest file
// that nobody has started; the search thread, needing a file nobody has started, opens it itself rather
// than wait, and opens the next waiting files while a helper opens the oldest. Waking a sleeping thread costs
// more than opening a small file, so the threads sleep and wake each other as seldom as they can: an idle
// helper is woken only once half the window waits for it, and the search thread spins briefly for a file a
// helper is opening before it sleeps. The helpers are started with the window (inheriting the search thread's
// priority) and end with it; ending waits only for the reads under way, each at most one block.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "control/engine/block_search.h"
#include "control/engine/opened_file.h"

namespace zarn {

class FileReadAhead {
 public:
  struct Slot {
    std::string full_path;
    std::string entry_name;
    bool open_ahead = true;  // false: left to the scan (an Office document read through its text)
    OpenedFile file;
    BlockBuffer buffer;
    enum class Stage { kWaiting, kOpening, kOpened };
    std::atomic<Stage> stage = Stage::kWaiting;  // changed under mutex_; read also without it
  };

  FileReadAhead(std::size_t helpers, std::size_t window);
  ~FileReadAhead();
  FileReadAhead(const FileReadAhead&) = delete;
  FileReadAhead& operator=(const FileReadAhead&) = delete;

  bool Full() const { return count_ == slots_.size(); }
  bool Empty() const { return count_ == 0; }
  // Adds a file after the last one; the window must not be full.
  void Push(const std::string& full_path, std::string_view entry_name, bool open_ahead);
  // The oldest file, opened and its first block read (unless it is not to be opened ahead).
  Slot& Front();
  // Closes the oldest file and frees its slot.
  void Pop();

 private:
  Slot& SlotAt(std::size_t position) { return *slots_[(first_ + position) % slots_.size()]; }
  Slot* OldestWaiting();
  void Open(Slot& slot, std::unique_lock<std::mutex>& lock);
  bool SpinUntilOpened(const Slot& slot) const;
  void Serve();

  std::vector<std::unique_ptr<Slot>> slots_;
  std::unique_ptr<unsigned char[]> buffers_;
  std::size_t first_ = 0;  // the oldest file's slot; first_ and count_ change only on the search thread
  std::size_t count_ = 0;  // and are read by helpers under mutex_
  std::mutex mutex_;
  std::condition_variable work_;    // files are waiting, or the helpers are to end
  std::condition_variable opened_;  // a file was opened while the search thread slept
  std::size_t waiting_ = 0;         // files nobody has started
  std::size_t helpers_asleep_ = 0;
  bool search_asleep_ = false;
  bool ending_ = false;
  std::vector<std::thread> helpers_;
};

}  // namespace zarn
