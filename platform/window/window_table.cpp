#include "platform/window/window_table.h"

#include <vector>

namespace win::detail {
namespace {

// Removes every window of `queue` from the table. The entries are released after the lock is let go,
// because freeing a procedure runs the destructors of whatever it captured.
void DestroyWindowsOf(const ThreadQueue* queue) {
  std::vector<WindowEntry> removed;
  WindowTable& table = Windows();
  std::lock_guard lock(table.mutex);
  for (auto entry = table.windows.begin(); entry != table.windows.end();) {
    if (entry->second.queue.get() == queue) {
      removed.push_back(std::move(entry->second));
      entry = table.windows.erase(entry);
    } else {
      ++entry;
    }
  }
}

class QueueOfThisThread {
 public:
  ~QueueOfThisThread() {
    if (queue_) DestroyWindowsOf(queue_.get());
  }
  const std::shared_ptr<ThreadQueue>& Get() {
    if (!queue_) queue_ = std::make_shared<ThreadQueue>();
    return queue_;
  }
  const ThreadQueue* GetIfAny() const { return queue_.get(); }

 private:
  std::shared_ptr<ThreadQueue> queue_;
};

thread_local QueueOfThisThread queue_of_this_thread;

}  // namespace

WindowEntry* WindowTable::Find(HWND window) {
  const auto entry = windows.find(IdOf(window));
  return entry == windows.end() ? nullptr : &entry->second;
}

WindowTable& Windows() {
  static WindowTable* const table = new WindowTable;
  return *table;
}

const std::shared_ptr<ThreadQueue>& CallingThreadQueue() {
  return queue_of_this_thread.Get();
}

const ThreadQueue* CallingThreadQueueIfAny() {
  return queue_of_this_thread.GetIfAny();
}

}  // namespace win::detail
