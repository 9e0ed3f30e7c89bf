#include "control/surface/event_relay.h"

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
  if (pending_timer_ == 0) SetRelayTimer(kind);
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
}

void EventRelay::OnTimer(const Deliver& deliver) {
  std::vector<Notification> batch;
  {
    win::CriticalSectionGuard guard(relay_lock);
    batch = queue_.TakeAll();
  }
  for (const Notification& notification : batch) {
    if (!deliver(notification)) return;
    if (notification.kind == NotificationKind::kError) win::Sleep(kPauseAfterErrorMs);
  }
  win::CriticalSectionGuard guard(relay_lock);
  if (!queue_.Empty() || pending_timer_ == 0) return;
  win::KillTimer(window_, pending_timer_);
  pending_timer_ = 0;
}

void EventRelay::Stop() {
  win::CriticalSectionGuard guard(relay_lock);
  if (pending_timer_ != 0) win::KillTimer(window_, pending_timer_);
  pending_timer_ = 0;
}

}  // namespace zarn
