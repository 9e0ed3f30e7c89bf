// The message queue of one thread: its posted messages, its windows' timers, a pending quit request and
// the wake descriptor (an eventfd) that the thread waits on.
//
// The contents are guarded by the window table's lock (window_table.h); every member function except the
// descriptor ones must be called with that lock held. The descriptor functions need no lock.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "platform/window/message_queue.h"

namespace win::detail {

using QueueClock = std::chrono::steady_clock;

// Window handles are ids, never pointers to anything.
inline HWND HandleOf(std::uintptr_t id) {
  return reinterpret_cast<HWND>(id);  // NOLINT(performance-no-int-to-ptr): an id, never dereferenced
}
inline std::uintptr_t IdOf(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

// What the next message may be and what taking it does.
struct Selection {
  QueueClock::time_point now{};
  bool remove = true;        // false: the message stays (a due timer stays due)
  bool include_quit = true;  // false: a pending quit ends the selection, as if the queue were empty
  std::uint64_t pass = 0;    // non-zero: a timer fires at most once in this dispatch pass
};

class ThreadQueue {
 public:
  ThreadQueue();  // throws std::system_error when no eventfd can be had
  ~ThreadQueue();
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;

  void Post(const MSG& message) { posted_.push_back(message); }
  void RequestQuit(int exit_code);
  void SetTimer(std::uintptr_t window, UINT_PTR id, UINT elapse_ms, QueueClock::time_point now);
  bool KillTimer(std::uintptr_t window, UINT_PTR id);
  void DropWindow(std::uintptr_t window);  // its waiting messages and its timers

  // The next deliverable message: posted ones first, then a quit request, then the earliest due timer.
  std::optional<MSG> Next(const Selection& selection);
  std::uint64_t BeginDispatchPass() { return ++dispatch_passes_; }
  // -1 without timers, 0 when one is due, else the milliseconds until the earliest (rounded up).
  int MillisecondsUntilNextTimer(QueueClock::time_point now) const;

  int wake_descriptor() const { return wake_descriptor_; }
  void Wake() const;
  void ClearWake() const;
  // Waits until the descriptor is readable (then clears it) or `timeout_ms` passed (-1: no limit).
  void WaitForWake(int timeout_ms) const;

 private:
  struct Timer {
    std::uintptr_t window = 0;
    UINT_PTR id = 0;
    std::chrono::milliseconds interval{0};
    QueueClock::time_point due{};
    std::uint64_t fired_in_pass = 0;
    std::uint64_t turn =
        0;  // when set or last fired; of timers due at the same time the earlier turn goes first
  };

  static bool FiresBefore(const Timer& a, const Timer& b);
  Timer* EarliestDueTimer(const Selection& selection);
  MSG FireTimer(Timer& timer, const Selection& selection);

  int wake_descriptor_ = -1;
  std::deque<MSG> posted_;
  std::vector<Timer> timers_;
  bool quit_requested_ = false;
  int exit_code_ = 0;
  std::uint64_t dispatch_passes_ = 0;
  std::uint64_t timer_turns_ = 0;
};

}  // namespace win::detail
