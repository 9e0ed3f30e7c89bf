// Test helpers for the message queue: a window that records what its procedure receives, and checks on
// the calling thread's queue.
#pragma once

#include <poll.h>

#include <functional>
#include <vector>

#include "platform/window/message_queue.h"

namespace kx::test {

struct Received {
  win::UINT message = 0;
  win::WPARAM wParam = 0;
  friend bool operator==(const Received&, const Received&) = default;
};

// A window of the calling thread that records every message dispatched to it (and then runs `also`,
// when given). Destroyed with the object if it still exists.
class RecordingWindow {
 public:
  using Handler = std::function<win::LRESULT(win::HWND, win::UINT, win::WPARAM, win::LPARAM)>;

  explicit RecordingWindow(Handler also = {})
      : handle_(win::CreateWindow([this, also](win::HWND window, win::UINT message, win::WPARAM wParam,
                                               win::LPARAM lParam) -> win::LRESULT {
          received_.push_back({message, wParam});
          return also ? also(window, message, wParam, lParam) : 0;
        })) {}
  ~RecordingWindow() { win::DestroyWindow(handle_); }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  win::HWND handle() const { return handle_; }
  const std::vector<Received>& received() const { return received_; }

 private:
  std::vector<Received> received_;
  win::HWND handle_;
};

inline bool IsReadable(int descriptor) {
  pollfd watched{descriptor, POLLIN, 0};
  return poll(&watched, 1, 0) == 1 && (watched.revents & POLLIN);
}

// Takes and dispatches messages until the queue has nothing deliverable and no quit request is left.
inline void DrainQueue() {
  win::MSG msg;
  while (win::PeekMessage(&msg, true)) win::DispatchMessage(&msg);
  win::ClearQueueWakeup();
}

}  // namespace kx::test
