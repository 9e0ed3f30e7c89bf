// The process-wide table of windows, the one lock that guards it and the contents of every thread's
// queue, and the calling thread's queue.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/window/message_queue.h"
#include "platform/window/thread_queue.h"

namespace win::detail {

struct WindowEntry {
  std::shared_ptr<ThreadQueue> queue;        // the owning thread's queue
  std::shared_ptr<const WNDPROC> procedure;  // shared so a call in progress outlives DestroyWindow
};

struct WindowTable {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, WindowEntry> windows;  // by id
  std::uintptr_t last_id = 0;                               // ids are never reused

  // The entry of a live window, or nullptr. Call with `mutex` held.
  WindowEntry* Find(HWND window);
};

// The one table; never destroyed, so threads ending during process exit can still use it.
WindowTable& Windows();

// The calling thread's queue, created on first use. When the thread ends its windows are destroyed and
// the queue is freed once no other thread still holds it.
const std::shared_ptr<ThreadQueue>& CallingThreadQueue();

// The calling thread's queue if it has one, else nullptr; never creates one.
const ThreadQueue* CallingThreadQueueIfAny();

}  // namespace win::detail
