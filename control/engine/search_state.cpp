#include "control/engine/search_state.h"

#include <cstdlib>

namespace zarn {

void SearchState::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stop_requested_.store(true, std::memory_order_release);
  }
  changed_.notify_all();
}

void SearchState::MarkStarted(std::uint32_t start_tick) {
  {
    std::lock_guard lock(mutex_);
    released_ = false;
  }
  search_time_.store(static_cast<std::int32_t>(start_tick), std::memory_order_release);
  duration_taken_.store(false, std::memory_order_release);
  active_.store(true, std::memory_order_release);
}

void SearchState::MarkFinished(std::uint32_t now_tick) {
  TakeDurationNow(now_tick);
  {
    std::lock_guard lock(mutex_);
    active_.store(false, std::memory_order_release);
  }
  changed_.notify_all();
}

void SearchState::TakeDurationNow(std::uint32_t now_tick) {
  const std::int32_t start = search_time_.load(std::memory_order_acquire);
  if (duration_taken_.exchange(true, std::memory_order_acq_rel)) return;
  search_time_.store(Duration(start, now_tick), std::memory_order_release);
}

// The absolute difference of two tick counts taken as a signed 32-bit value, so that a wrap of the tick
// counter during the search does not spoil the duration.
std::int32_t SearchState::Duration(std::int32_t start_tick, std::uint32_t now_tick) {
  const auto difference = static_cast<std::int32_t>(static_cast<std::uint32_t>(start_tick) - now_tick);
  return difference == INT32_MIN ? INT32_MAX : std::abs(difference);
}

bool SearchState::WaitUntilInactive(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [this] { return !active_.load(std::memory_order_acquire); });
}

void SearchState::PauseUnlessStopped(std::chrono::milliseconds limit) {
  if (limit.count() <= 0 || StopRequested()) return;
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, limit, [this] { return stop_requested_.load(std::memory_order_acquire); });
}

void SearchState::ReleaseWorker() {
  {
    std::lock_guard lock(mutex_);
    released_ = true;
  }
  changed_.notify_all();
}

bool SearchState::WaitForRelease() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return released_ || stop_requested_.load(std::memory_order_acquire); });
  return !stop_requested_.load(std::memory_order_acquire);
}

std::string SearchState::TemporaryTextFile() const {
  std::lock_guard lock(mutex_);
  return temporary_text_file_;
}

void SearchState::SetTemporaryTextFile(std::string path) {
  std::lock_guard lock(mutex_);
  temporary_text_file_ = std::move(path);
}

}  // namespace zarn
