// Windows, timers and message queues: how the pieces fit.
//
// - Each thread that creates a window or pumps messages gets a ThreadQueue (thread_queue.h), kept in a
//   thread_local holder (window_table.cpp). A queue holds the thread's posted messages (FIFO), its
//   windows' timers, a pending quit request, and an eventfd the thread sleeps on.
// - Windows live in one process-wide table (window_table.h) keyed by an id that is never reused; the HWND
//   is that id cast to a pointer and is never dereferenced. An entry names the owning thread's queue and
//   the window procedure. When a thread ends, its windows leave the table and its queue is freed.
// - One lock guards the table and the contents of all queues. PostMessage, SetTimer and KillTimer look
//   the window up and change its queue under that lock, so a call racing with DestroyWindow either
//   happens wholly before it (and DestroyWindow drops what it added) or finds no window and fails.
//   After the lock is let go they write to the queue's eventfd, which wakes the owning thread.
// - Timers are not messages in the queue: a WM_TIMER is made when the thread asks for the next message,
//   there are no posted messages, no quit request, and a timer is due (the earliest due first). The
//   timer is then due again one interval from now, so a late timer fires once, not in a burst.
// - GetMessage takes the next message under the lock; if there is none it lets go and polls the eventfd
//   with a timeout up to the earliest timer, then looks again.
// - A window procedure is never called with the lock held: DispatchMessage copies the shared procedure
//   out of the table and calls it afterwards. So a procedure may post, set or kill timers, create windows
//   and destroy its own window; a message taken out before its window was destroyed reaches nobody.
// - DispatchPendingMessages numbers each call (a dispatch pass) and lets a timer fire at most once per
//   pass, so a 0 ms timer cannot keep it from returning. A Qt host watches GetQueueWakeDescriptor(),
//   calls ClearQueueWakeup() and DispatchPendingMessages() when it is readable, and arms its own timer
//   with MillisecondsUntilNextTimer().
#include "platform/window/message_queue.h"

#include <utility>

#include "platform/window/thread_queue.h"
#include "platform/window/window_table.h"

namespace win {

using detail::CallingThreadQueue;
using detail::QueueClock;
using detail::Selection;
using detail::ThreadQueue;
using detail::Windows;

namespace {

// Changes the queue of `window` under the lock, then wakes its thread. False when there is no window.
template <typename Change>
bool ChangeQueueOf(HWND window, Change change) {
  std::shared_ptr<ThreadQueue> queue;
  {
    std::lock_guard lock(Windows().mutex);
    detail::WindowEntry* entry = Windows().Find(window);
    if (!entry || !change(*entry->queue)) return false;
    queue = entry->queue;
  }
  queue->Wake();
  return true;
}

std::optional<MSG> TakeNext(ThreadQueue& queue, Selection selection) {
  std::lock_guard lock(Windows().mutex);
  selection.now = QueueClock::now();
  return queue.Next(selection);
}

}  // namespace

HWND CreateWindow(WNDPROC procedure) {
  std::shared_ptr<ThreadQueue> queue = CallingThreadQueue();
  auto shared_procedure = std::make_shared<const WNDPROC>(std::move(procedure));
  std::lock_guard lock(Windows().mutex);
  const std::uintptr_t id = ++Windows().last_id;
  Windows().windows.emplace(id, detail::WindowEntry{std::move(queue), std::move(shared_procedure)});
  return detail::HandleOf(id);
}

bool DestroyWindow(HWND window) {
  detail::WindowEntry removed;  // released after the lock: freeing a procedure may run arbitrary code
  {
    std::lock_guard lock(Windows().mutex);
    detail::WindowEntry* entry = Windows().Find(window);
    if (!entry || entry->queue.get() != detail::CallingThreadQueueIfAny()) return false;
    removed = std::move(*entry);
    Windows().windows.erase(detail::IdOf(window));
    removed.queue->DropWindow(detail::IdOf(window));
  }
  removed.queue->Wake();  // its timers are gone: a host re-arms its own timer
  return true;
}

bool IsWindow(HWND window) {
  std::lock_guard lock(Windows().mutex);
  return Windows().Find(window) != nullptr;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse_ms) {
  const auto now = QueueClock::now();
  const bool set = ChangeQueueOf(window, [&](ThreadQueue& queue) {
    queue.SetTimer(detail::IdOf(window), id, elapse_ms, now);
    return true;
  });
  if (!set) return 0;
  return id != 0 ? id : 1;  // success is never 0, also for the timer numbered 0
}

bool KillTimer(HWND window, UINT_PTR id) {
  return ChangeQueueOf(window, [&](ThreadQueue& queue) { return queue.KillTimer(detail::IdOf(window), id); });
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ChangeQueueOf(window, [&](ThreadQueue& queue) {
    queue.Post(MSG{window, message, wParam, lParam});
    return true;
  });
}

void PostQuitMessage(int exit_code) {
  ThreadQueue& queue = *CallingThreadQueue();
  {
    std::lock_guard lock(Windows().mutex);
    queue.RequestQuit(exit_code);
  }
  queue.Wake();
}

bool GetMessage(MSG* msg) {
  ThreadQueue& queue = *CallingThreadQueue();
  for (;;) {
    int timeout_ms;
    {
      std::lock_guard lock(Windows().mutex);
      const auto now = QueueClock::now();
      if (const std::optional<MSG> next = queue.Next(Selection{now})) {
        *msg = *next;
        return msg->message != WM_QUIT;
      }
      timeout_ms = queue.MillisecondsUntilNextTimer(now);
    }
    queue.WaitForWake(timeout_ms);
  }
}

bool PeekMessage(MSG* msg, bool remove) {
  const std::optional<MSG> next = TakeNext(*CallingThreadQueue(), Selection{.remove = remove});
  if (next) *msg = *next;
  return next.has_value();
}

// Only the owning thread's pump calls a window's procedure; for any other thread this returns 0.
LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  std::shared_ptr<const WNDPROC> procedure;
  {
    std::lock_guard lock(Windows().mutex);
    const detail::WindowEntry* entry = Windows().Find(msg->hwnd);
    if (!entry || entry->queue.get() != detail::CallingThreadQueueIfAny()) return 0;
    procedure = entry->procedure;
  }
  if (!*procedure) return 0;
  return (*procedure)(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

int DispatchPendingMessages() {
  ThreadQueue& queue = *CallingThreadQueue();
  std::uint64_t pass;
  {
    std::lock_guard lock(Windows().mutex);
    pass = queue.BeginDispatchPass();
  }
  int dispatched = 0;
  while (const std::optional<MSG> next =
             TakeNext(queue, Selection{.remove = true, .include_quit = false, .pass = pass})) {
    DispatchMessage(&*next);
    ++dispatched;
  }
  return dispatched;
}

int GetQueueWakeDescriptor() {
  return CallingThreadQueue()->wake_descriptor();
}

void ClearQueueWakeup() {
  CallingThreadQueue()->ClearWake();
}

int MillisecondsUntilNextTimer() {
  ThreadQueue& queue = *CallingThreadQueue();
  std::lock_guard lock(Windows().mutex);
  return queue.MillisecondsUntilNextTimer(QueueClock::now());
}

}  // namespace win
