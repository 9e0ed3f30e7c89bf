#include "platform/window/thread_queue.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>

namespace win::detail {

ThreadQueue::ThreadQueue() : wake_descriptor_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (wake_descriptor_ < 0) throw std::system_error(errno, std::generic_category(), "message queue eventfd");
}

ThreadQueue::~ThreadQueue() {
  close(wake_descriptor_);
}

void ThreadQueue::RequestQuit(int exit_code) {
  quit_requested_ = true;
  exit_code_ = exit_code;
}

void ThreadQueue::SetTimer(std::uintptr_t window, UINT_PTR id, UINT elapse_ms, QueueClock::time_point now) {
  auto timer = std::find_if(timers_.begin(), timers_.end(),
                            [&](const Timer& t) { return t.window == window && t.id == id; });
  if (timer == timers_.end()) timer = timers_.insert(timers_.end(), Timer{window, id});
  timer->interval = std::chrono::milliseconds(elapse_ms);
  timer->due = now + timer->interval;
  timer->turn = ++timer_turns_;
}

bool ThreadQueue::KillTimer(std::uintptr_t window, UINT_PTR id) {
  return std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; }) > 0;
}

void ThreadQueue::DropWindow(std::uintptr_t window) {
  const HWND handle = HandleOf(window);
  std::erase_if(posted_, [handle](const MSG& message) { return message.hwnd == handle; });
  std::erase_if(timers_, [window](const Timer& t) { return t.window == window; });
}

std::optional<MSG> ThreadQueue::Next(const Selection& selection) {
  if (!posted_.empty()) {
    const MSG message = posted_.front();
    if (selection.remove) posted_.pop_front();
    return message;
  }
  if (quit_requested_) {
    if (!selection.include_quit) return std::nullopt;
    if (selection.remove) quit_requested_ = false;
    return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exit_code_), 0};
  }
  if (Timer* timer = EarliestDueTimer(selection)) return FireTimer(*timer, selection);
  return std::nullopt;
}

bool ThreadQueue::FiresBefore(const Timer& a, const Timer& b) {
  return a.due < b.due || (a.due == b.due && a.turn < b.turn);
}

ThreadQueue::Timer* ThreadQueue::EarliestDueTimer(const Selection& selection) {
  Timer* earliest = nullptr;
  for (Timer& timer : timers_) {
    const bool due = timer.due <= selection.now;
    const bool fired_in_this_pass = selection.pass != 0 && timer.fired_in_pass == selection.pass;
    if (due && !fired_in_this_pass && (!earliest || FiresBefore(timer, *earliest))) earliest = &timer;
  }
  return earliest;
}

// A timer that fell behind fires once and is then due one interval from now: no burst of catch-up ticks.
MSG ThreadQueue::FireTimer(Timer& timer, const Selection& selection) {
  if (selection.remove) {
    timer.due = selection.now + timer.interval;
    timer.fired_in_pass = selection.pass;
    timer.turn = ++timer_turns_;
  }
  return MSG{HandleOf(timer.window), WM_TIMER, timer.id, 0};
}

int ThreadQueue::MillisecondsUntilNextTimer(QueueClock::time_point now) const {
  if (timers_.empty()) return -1;
  const auto earliest = std::min_element(timers_.begin(), timers_.end(),
                                         [](const Timer& a, const Timer& b) { return a.due < b.due; });
  if (earliest->due <= now) return 0;
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(earliest->due - now).count();
  return static_cast<int>(std::min<decltype(milliseconds)>(milliseconds, INT_MAX));
}

void ThreadQueue::Wake() const {
  eventfd_write(wake_descriptor_, 1);
}

void ThreadQueue::ClearWake() const {
  eventfd_t ignored;
  eventfd_read(wake_descriptor_, &ignored);
}

void ThreadQueue::WaitForWake(int timeout_ms) const {
  pollfd descriptor{wake_descriptor_, POLLIN, 0};
  if (poll(&descriptor, 1, timeout_ms) > 0) ClearWake();
}

}  // namespace win::detail
