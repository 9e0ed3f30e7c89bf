// A thread object is shared by the running thread and the handle: each holds one reference, and the
// object is freed when both have let go. The new thread reports its kernel id before CreateThread
// returns, and marks itself ended (under the same lock SetThreadPriority takes) before it lets go, so a
// priority is never applied to a kernel id that may already belong to another thread. The thread is
// joinable until its handle is closed, so that waiting for it can wait until it has exited entirely.
#include "platform/win/threads.h"

#include <pthread.h>
#include <unistd.h>

#include <time.h>

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
  pthread_t id{};  // set by its creator, touched only by the handle's side

  std::mutex exit_mutex;  // guards `exited`, and joining or detaching the thread
  bool exited = false;

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

// Joins the thread if it exits within `milliseconds`; true when it has been joined.
bool JoinWithin(pthread_t id, std::uint32_t milliseconds) {
  if (milliseconds == 0) return pthread_tryjoin_np(id, nullptr) == 0;
  if (milliseconds == INFINITE) return pthread_join(id, nullptr) == 0;
  timespec deadline{};
  clock_gettime(CLOCK_REALTIME, &deadline);
  const long nanoseconds = deadline.tv_nsec + static_cast<long>(milliseconds % 1000) * 1000000;
  deadline.tv_sec += static_cast<time_t>(milliseconds / 1000 + nanoseconds / 1000000000);
  deadline.tv_nsec = nanoseconds % 1000000000;
  return pthread_timedjoin_np(id, nullptr, &deadline) == 0;
}

}  // namespace

HTHREAD CreateThread(std::function<std::uint32_t()> procedure) {
  auto* thread = new ThreadObject(std::move(procedure));
  if (pthread_create(&thread->id, nullptr, RunThread, thread) != 0) {
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

std::uint32_t WaitForSingleObject(HTHREAD thread, std::uint32_t milliseconds) {
  std::lock_guard lock(thread->exit_mutex);
  if (!thread->exited) thread->exited = JoinWithin(thread->id, milliseconds);
  return thread->exited ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

bool CloseHandle(HTHREAD thread) {
  if (!thread) return false;
  {
    std::lock_guard lock(thread->exit_mutex);
    if (!thread->exited) pthread_detach(thread->id);
  }
  Release(thread);
  return true;
}

}  // namespace win
