// EventRelay: carries what the search worker has to tell the host to the thread that owns the control's
// window. The worker never fires an event: it appends a notification to the NotificationQueue and, when
// no relay timer is pending, sets a zero-delay timer on the control's window. When the window's thread is
// otherwise idle the timer fires there, and the relay delivers every waiting notification in the order
// posted: errors as OnError, the completion of a search as ScanCompleted.
//
// The queue and the pending timer are guarded by one lock shared by all controls of the process. The lock
// is never held while an event is fired, so a host may call back into the control (even destroy it) from
// any event, and a worker is never kept waiting by an event handler.
//
// Delivery is never re-entered: while a batch is delivered the relay timer is off, so a handler that runs
// a message loop of its own (a modal message box) gets nothing delivered ahead of the rest of the batch;
// what is posted meanwhile waits in the queue and the timer is set again once the batch is done. Every
// error of a search therefore arrives before its ScanCompleted.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "control/engine/search_control.h"
#include "platform/window/message_queue.h"

namespace zarn {

struct Notification {
  NotificationKind kind;
  std::int32_t code;
  std::string detail;
};

class NotificationQueue {
 public:
  void Append(Notification notification) { entries_.push_back(std::move(notification)); }
  std::deque<Notification> TakeAll() { return std::exchange(entries_, {}); }
  bool Empty() const { return entries_.empty(); }
  NotificationKind FirstKind() const { return entries_.front().kind; }  // when not Empty()
  void Clear() { entries_.clear(); }

 private:
  std::deque<Notification> entries_;
};

class EventRelay {
 public:
  // Fires one notification on the host's thread; returns false when delivery must stop (the control was
  // destroyed by the event's handler).
  using Deliver = std::function<bool(const Notification&)>;

  // A stop request in `state` ends the retries of a timer that cannot be set.
  explicit EventRelay(const SearchState& state) : state_(state) {}

  // The window whose timer carries the notifications; set once, before any search.
  void AttachWindow(win::HWND window) { window_ = window; }

  // Worker: queues a notification and makes sure a relay timer is pending.
  void Post(NotificationKind kind, std::int32_t code, std::string_view detail);

  // Host: empties the queue (Begin, before ScanStarted), and drops what remains of a batch being
  // delivered (Begin called from an event handler).
  void Clear();

  // Host, on the relay timer: delivers every waiting notification in order; sets the timer again when
  // more arrived meanwhile. Does nothing when called during a delivery.
  void OnTimer(const Deliver& deliver);

  // Host, at the control's destruction: kills a pending relay timer.
  void Stop();

 private:
  void SetRelayTimer(NotificationKind kind);

  bool StartBatch();
  void FinishBatch();

  win::HWND window_ = nullptr;
  const SearchState& state_;
  NotificationQueue queue_;          // guarded by the process-wide relay lock
  win::UINT_PTR pending_timer_ = 0;  // likewise
  bool delivering_ = false;          // likewise: a batch is being delivered, the timer is off
  std::deque<Notification> batch_;   // host thread: what the delivery in progress has yet to fire
};

}  // namespace zarn
