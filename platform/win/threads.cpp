// A thread object is shared by the running thread and the handle: each holds one reference, and the
// object is freed when both have let go. The new thread reports its kernel id before CreateThread
// returns, and marks itself ended (under the same lock SetThreadPriority takes) before it lets go, so a
// priority is never applied to a kernel id that may already belong to another thread.
#include "platform/win/threads.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

#include "platform/win/thread_priority.h"

namespace win {

struct ThreadObject {
  explicit ThreadObject(std::function<std::uint32_t()> body) : procedure(std::move(body)) {}

  std::function<std::uint32_t()> procedure;  // touched only by the thread once it runs
  std::atomic<int> references{2};

  std::mutex mutex;  // guards the fields below
  std::condition_variable started;
  pid_t tid = 0;
  bool ended = false;
  int priority = THREAD_PRIORITY_NORMAL;
};

namespace {

void Release(ThreadObject* thread) {
  if (thread->references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete thread;
}

// A new thread inherits its creator's scheduling; it starts at normal priority instead, where permitted.
void* RunThread(void* argument) {
  auto* thread = static_cast<ThreadObject*>(argument);
  const pid_t tid = gettid();
  detail::ApplyThreadPriority(tid, THREAD_PRIORITY_NORMAL);
  {
    std::lock_guard lock(thread->mutex);
    thread->tid = tid;
  }
  thread->started.notify_one();

  thread->procedure();
  thread->procedure = nullptr;  // free what it holds on this thread, not on the one closing the handle

  {
    std::lock_guard lock(thread->mutex);
    thread->ended = true;
  }
  Release(thread);
  return nullptr;
}

bool StartDetached(ThreadObject* thread) {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_t ignored;
  const bool started = pthread_create(&ignored, &attributes, RunThread, thread) == 0;
  pthread_attr_destroy(&attributes);
  return started;
}

}  // namespace

HTHREAD CreateThread(std::function<std::uint32_t()> procedure) {
  auto* thread = new ThreadObject(std::move(procedure));
  if (!StartDetached(thread)) {
    delete thread;
    return nullptr;
  }
  std::unique_lock lock(thread->mutex);
  thread->started.wait(lock, [thread] { return thread->tid != 0; });
  return thread;
}

bool SetThreadPriority(HTHREAD thread, int priority) {
  if (!thread || !detail::IsThreadPriority(priority)) return false;
  std::lock_guard lock(thread->mutex);
  if (!thread->ended) detail::ApplyThreadPriority(thread->tid, priority);
  thread->priority = priority;
  return true;
}

int GetThreadPriority(HTHREAD thread) {
  std::lock_guard lock(thread->mutex);
  return thread->priority;
}

pid_t GetThreadId(HTHREAD thread) {
  std::lock_guard lock(thread->mutex);
  return thread->tid;
}

bool CloseHandle(HTHREAD thread) {
  if (!thread) return false;
  Release(thread);
  return true;
}

}  // namespace win
