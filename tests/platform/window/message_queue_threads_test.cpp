// The message queue across threads: waking a waiting pump, independent queues, windows of ended threads
// and calls racing with DestroyWindow.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/window/message_queue.h"
#include "tests/platform/window/recording_window.h"
#include "tests/platform/window/worker_thread.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::IsReadable;
using kx::test::Received;
using kx::test::RecordingWindow;
using kx::test::WaitFor;
using kx::test::WorkerThread;
using win::WM_TIMER;
using win::WM_USER;

// Whether thread `tid` of this process is asleep in the kernel (state S).
bool IsAsleep(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const auto name_end = line.rfind(')');
  return name_end != std::string::npos && line.size() > name_end + 2 && line[name_end + 2] == 'S';
}

struct Wakeup {
  const char* what;
  std::function<void(win::HWND)> action;
  Received expected;
};

// A thread sits in GetMessage with only a timer an hour away; a call from another thread must wake it.
TEST(MessageQueueThreads, CallsFromAnotherThreadWakeAPumpWaitingInGetMessage) {
  const Wakeup wakeups[] = {
      {"timer set again to 0 ms", [](win::HWND w) { win::SetTimer(w, 1, 0); }, {WM_TIMER, 1}},
      {"new 0 ms timer", [](win::HWND w) { win::SetTimer(w, 2, 0); }, {WM_TIMER, 2}},
      {"posted message", [](win::HWND w) { win::PostMessage(w, WM_USER, 3, 0); }, {WM_USER, 3}},
  };
  for (const Wakeup& wakeup : wakeups) {
    SCOPED_TRACE(wakeup.what);
    std::atomic<win::HWND> window{nullptr};
    std::atomic<pid_t> pump_tid{0};
    win::MSG got{};
    std::thread pump([&] {
      const win::HWND own = win::CreateWindow({});
      win::SetTimer(own, 1, 3'600'000);
      pump_tid = gettid();
      window = own;
      EXPECT_TRUE(win::GetMessage(&got));
      win::DestroyWindow(own);
    });
    ASSERT_TRUE(WaitFor([&] { return window && IsAsleep(pump_tid); }));
    wakeup.action(window);
    ASSERT_TRUE(WaitFor([&] { return !win::IsWindow(window); }));
    pump.join();
    EXPECT_EQ(got.hwnd, window.load());
    EXPECT_EQ((Received{got.message, got.wParam}), wakeup.expected);
  }
}

TEST(MessageQueueThreads, QueuesOfTwoThreadsAreIndependent) {
  WorkerThread worker;
  RecordingWindow own;
  std::optional<RecordingWindow> theirs;
  int their_descriptor = -1;
  worker.Run([&] {
    theirs.emplace();
    their_descriptor = win::GetQueueWakeDescriptor();
  });
  EXPECT_NE(their_descriptor, win::GetQueueWakeDescriptor());
  EXPECT_FALSE(win::DestroyWindow(theirs->handle())) << "only the owning thread may destroy a window";
  EXPECT_TRUE(win::IsWindow(theirs->handle()));

  ASSERT_TRUE(win::PostMessage(theirs->handle(), WM_USER, 1, 0));
  ASSERT_EQ(win::SetTimer(theirs->handle(), 2, 0), 2u);
  win::PostQuitMessage(7);
  EXPECT_TRUE(IsReadable(their_descriptor));
  win::MSG msg;
  EXPECT_FALSE(win::GetMessage(&msg)) << "their messages are not in this queue";
  EXPECT_EQ(msg.wParam, 7u);
  const win::MSG theirs_here{theirs->handle(), WM_USER, 9, 0};
  EXPECT_EQ(win::DispatchMessage(&theirs_here), 0) << "another thread's window is not called from here";

  int dispatched = 0;
  worker.Run([&] {
    dispatched = win::DispatchPendingMessages();
    win::PostMessage(own.handle(), WM_USER, 4, 0);
    theirs.reset();
  });
  EXPECT_EQ(dispatched, 2) << "the quit request stayed in this thread's queue";
  EXPECT_TRUE(own.received().empty());
  EXPECT_EQ(win::DispatchPendingMessages(), 1);
  EXPECT_EQ(own.received(), (std::vector<Received>{{WM_USER, 4}}));
}

TEST(MessageQueueThreads, WindowsOfAThreadThatEndedAreGone) {
  win::HWND window = nullptr;
  std::thread owner([&] {
    window = win::CreateWindow({});
    win::SetTimer(window, 1, 0);
    win::PostMessage(window, WM_USER, 0, 0);
  });
  owner.join();
  EXPECT_FALSE(win::IsWindow(window));
  EXPECT_FALSE(win::PostMessage(window, WM_USER, 0, 0));
  EXPECT_EQ(win::SetTimer(window, 1, 0), 0u);
}

// One thread keeps posting to, setting and killing timers of the newest window while its owner destroys
// it. Once DestroyWindow has returned, every call naming the window must fail and nothing may reach it.
TEST(MessageQueueThreads, CallsRacingDestroyWindowFailSafely) {
  constexpr int kWindows = 200;
  std::atomic<win::HWND> newest{nullptr};
  std::atomic<std::uintptr_t> destroyed_up_to{0};  // window ids grow, so "up to" says it
  std::atomic<win::HWND> used{nullptr};
  std::atomic<bool> stop{false};
  std::atomic<int> late_successes{0};

  std::thread caller([&] {
    while (!stop) {
      const win::HWND window = newest;
      if (!window) continue;
      const bool known_destroyed = reinterpret_cast<std::uintptr_t>(window) <= destroyed_up_to;
      const bool posted = win::PostMessage(window, WM_USER, 0, 0);
      const bool timed = win::SetTimer(window, 1, 0) != 0;
      const bool killed = win::KillTimer(window, 1);
      if (posted || timed || killed) used = window;
      if (known_destroyed && (posted || timed || killed)) ++late_successes;
    }
  });

  int late_deliveries = 0;
  for (int i = 0; i < kWindows; ++i) {
    RecordingWindow window([&](win::HWND self, win::UINT, win::WPARAM, win::LPARAM) -> win::LRESULT {
      if (reinterpret_cast<std::uintptr_t>(self) <= destroyed_up_to) ++late_deliveries;
      return 0;
    });
    newest = window.handle();
    ASSERT_TRUE(WaitFor([&] { return used == window.handle(); }));
    win::DispatchPendingMessages();
    ASSERT_TRUE(win::DestroyWindow(window.handle()));
    destroyed_up_to = reinterpret_cast<std::uintptr_t>(window.handle());
    EXPECT_FALSE(win::PostMessage(window.handle(), WM_USER, 0, 0));
    EXPECT_EQ(win::SetTimer(window.handle(), 1, 0), 0u);
    win::DispatchPendingMessages();
  }
  stop = true;
  caller.join();
  EXPECT_EQ(late_successes, 0);
  EXPECT_EQ(late_deliveries, 0);
  kx::test::DrainQueue();
}

}  // namespace
