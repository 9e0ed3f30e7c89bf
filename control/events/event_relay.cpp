#include "control/events/event_relay.h"

#include "platform/win/critical_section.h"
#include "platform/win/ticks.h"

namespace zarn {

namespace {
// One lock for the notification queues and relay timers of every control in the process.
win::CRITICAL_SECTION relay_lock;

constexpr int kTimerRetries = 30;
constexpr std::uint32_t kRetryPauseMs = 100;
constexpr std::uint32_t kPauseAfterErrorMs = 2;
}  // namespace

void EventRelay::Post(NotificationKind kind, std::int32_t code, std::string_view detail) {
  win::CriticalSectionGuard guard(relay_lock);
  queue_.Append(Notification{kind, code, std::string(detail)});
  if (pending_timer_ == 0 && !delivering_) SetRelayTimer(kind);
}

// Sets the zero-delay timer with the kind as its id; when that fails, tries again up to kTimerRetries
// times, giving up early on a stop request. A notification whose timer could not be set waits in the
// queue for the next delivery.
void EventRelay::SetRelayTimer(NotificationKind kind) {
  const auto id = static_cast<win::UINT_PTR>(kind);
  for (int attempt = 0; attempt <= kTimerRetries; ++attempt) {
    if (win::SetTimer(window_, id, 0) != 0) {
      pending_timer_ = id;
      return;
    }
    if (attempt == kTimerRetries || state_.StopRequested()) return;
    win::Sleep(kRetryPauseMs);
  }
}

void EventRelay::Clear() {
  win::CriticalSectionGuard guard(relay_lock);
  queue_.Clear();
  batch_.clear();
}

// Delivers the batch one notification at a time, so that a Begin made by a handler (which clears
// batch_) ends it. When a handler destroys the control, delivery stops at once and touches nothing more.
void EventRelay::OnTimer(const Deliver& deliver) {
  if (!StartBatch()) return;
  while (!batch_.empty()) {
    const Notification notification = std::move(batch_.front());
    batch_.pop_front();
    if (!deliver(notification)) return;
    if (notification.kind == NotificationKind::kError) win::Sleep(kPauseAfterErrorMs);
  }
  FinishBatch();
}

// Turns the relay timer off and takes what waits in the queue as the batch to deliver; false when
// nothing waits, or when a delivery is already in progress (the timer fired in a handler's own message
// loop, which must deliver nothing).
bool EventRelay::StartBatch() {
  win::CriticalSectionGuard guard(relay_lock);
  if (delivering_) return false;
  if (pending_timer_ != 0) win::KillTimer(window_, pending_timer_);
  pending_timer_ = 0;
  if (queue_.Empty()) return false;
  batch_ = queue_.TakeAll();
  delivering_ = true;
  return true;
}

// Sets the relay timer again for what was posted while the batch was delivered.
void EventRelay::FinishBatch() {
  win::CriticalSectionGuard guard(relay_lock);
  delivering_ = false;
  if (!queue_.Empty()) SetRelayTimer(queue_.FirstKind());
}

void EventRelay::Stop() {
  win::CriticalSectionGuard guard(relay_lock);
  if (pending_timer_ != 0) win::KillTimer(window_, pending_timer_);
  pending_timer_ = 0;
}

}  // namespace zarn
