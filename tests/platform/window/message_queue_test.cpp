// The message queue as seen by one thread: delivery order, timers, quitting, destroying windows and the
// wake descriptor. message_queue_threads_test.cpp covers calls from other threads.
#include "platform/window/message_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "tests/platform/window/recording_window.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::IsReadable;
using kx::test::Received;
using kx::test::RecordingWindow;
using win::WM_QUIT;
using win::WM_TIMER;
using win::WM_USER;
using Log = std::vector<Received>;
using namespace std::chrono_literals;

// Every test starts and leaves the test thread's queue empty.
class MessageQueue : public testing::Test {
 protected:
  void SetUp() override { kx::test::DrainQueue(); }
  void TearDown() override { kx::test::DrainQueue(); }

  static win::MSG Get() {
    win::MSG msg;
    EXPECT_TRUE(win::GetMessage(&msg));
    return msg;
  }
  static std::optional<win::MSG> Peek(bool remove = true) {
    win::MSG msg;
    if (!win::PeekMessage(&msg, remove)) return std::nullopt;
    return msg;
  }
};

TEST_F(MessageQueue, PostedMessagesComeInTheOrderPostedAndBeforeADueTimer) {
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 7, 0), 7u);
  for (win::WPARAM i = 1; i <= 3; ++i) ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, i, -1));
  for (win::WPARAM i = 1; i <= 3; ++i) {
    const win::MSG msg = Get();
    EXPECT_EQ(msg.hwnd, window.handle());
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(msg.wParam, i);
    EXPECT_EQ(msg.lParam, -1);
  }
  const win::MSG timer = Get();
  EXPECT_EQ(timer.hwnd, window.handle());
  EXPECT_EQ(timer.message, WM_TIMER);
  EXPECT_EQ(timer.wParam, 7u);
}

// The procedure answers WM_USER + n by posting WM_USER + n + 1, up to WM_USER + 5.
RecordingWindow::Handler PostFollowUps() {
  return [](win::HWND window, win::UINT message, win::WPARAM, win::LPARAM) -> win::LRESULT {
    if (message >= WM_USER && message < WM_USER + 5) win::PostMessage(window, message + 1, 0, 0);
    return 0;
  };
}

const Log kFollowUpsThenTimer = {{WM_USER, 0},     {WM_USER + 1, 0}, {WM_USER + 2, 0}, {WM_USER + 3, 0},
                                 {WM_USER + 4, 0}, {WM_USER + 5, 0}, {WM_TIMER, 1}};

TEST_F(MessageQueue, ZeroTimerWaitsForMessagesPostedWhileEarlierOnesAreHandled) {
  RecordingWindow window(PostFollowUps());
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 0, 0));
  while (window.received().empty() || window.received().back().message != WM_TIMER) {
    const win::MSG msg = Get();
    win::DispatchMessage(&msg);
  }
  EXPECT_EQ(window.received(), kFollowUpsThenTimer);
}

TEST_F(MessageQueue, DispatchPendingFiresAZeroTimerOncePerCallAfterThePostedMessages) {
  RecordingWindow window(PostFollowUps());
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 0, 0));
  EXPECT_EQ(win::DispatchPendingMessages(), 7);
  EXPECT_EQ(window.received(), kFollowUpsThenTimer);
  EXPECT_EQ(win::DispatchPendingMessages(), 1) << "the 0 ms timer is due again at once";
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), 0);
}

TEST_F(MessageQueue, DueTimersTakeTurnsEarliestDueFirst) {
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  ASSERT_EQ(win::SetTimer(window.handle(), 2, 0), 2u);
  for (win::WPARAM expected : {1u, 2u, 1u, 2u, 1u}) {
    const win::MSG msg = Get();
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, expected);
  }
}

TEST_F(MessageQueue, QuitEndsGetMessageWithTheExitCodeOnceThePostedMessagesAreGone) {
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 1, 0));
  win::PostQuitMessage(42);
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 2, 0));

  EXPECT_EQ(Get().wParam, 1u);
  EXPECT_EQ(Get().wParam, 2u);
  win::MSG msg;
  EXPECT_FALSE(win::GetMessage(&msg)) << "the quit request comes before the due timer";
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 42u);
  EXPECT_EQ(Get().message, WM_TIMER) << "the quit request was used up";
}

TEST_F(MessageQueue, DispatchPendingStopsAtTheQuitRequest) {
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 0, 0));
  win::PostQuitMessage(3);
  EXPECT_EQ(win::DispatchPendingMessages(), 1);
  EXPECT_EQ(window.received(), (Log{{WM_USER, 0}}));
  EXPECT_EQ(win::DispatchPendingMessages(), 0);
  win::MSG msg;
  EXPECT_FALSE(win::GetMessage(&msg));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageQueue, PeekWithoutRemovingLeavesMessagesAndTimersWhereTheyAre) {
  RecordingWindow window;
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 5, 0));
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(Peek(false)->wParam, 5u);
  EXPECT_EQ(Peek()->wParam, 5u);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(Peek(false)->message, WM_TIMER);
  EXPECT_EQ(Peek()->message, WM_TIMER);
  EXPECT_TRUE(win::KillTimer(window.handle(), 1));
  EXPECT_EQ(Peek(), std::nullopt);
}

TEST_F(MessageQueue, KillTimerStopsDelivery) {
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 5, 0), 5u);
  EXPECT_EQ(Peek()->message, WM_TIMER);
  EXPECT_TRUE(win::KillTimer(window.handle(), 5));
  EXPECT_EQ(Peek(), std::nullopt);
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), -1);
  EXPECT_FALSE(win::KillTimer(window.handle(), 5));
  EXPECT_FALSE(win::KillTimer(window.handle(), 6));
  // A window's timers may be numbered from 0, as a dialog's often are; success still reads nonzero.
  EXPECT_EQ(win::SetTimer(window.handle(), 0, 0), 1u);
  const std::optional<win::MSG> zero = Peek();
  ASSERT_TRUE(zero.has_value());
  EXPECT_EQ(zero->wParam, 0u);
  EXPECT_TRUE(win::KillTimer(window.handle(), 0));
}

TEST_F(MessageQueue, SettingATimerAgainChangesItsInterval) {
  constexpr win::UINT kHour = 3'600'000;
  RecordingWindow window;
  ASSERT_EQ(win::SetTimer(window.handle(), 1, kHour), 1u);
  EXPECT_EQ(Peek(), std::nullopt);
  EXPECT_GT(win::MillisecondsUntilNextTimer(), static_cast<int>(kHour) - 60'000);
  EXPECT_LE(win::MillisecondsUntilNextTimer(), static_cast<int>(kHour));

  ASSERT_EQ(win::SetTimer(window.handle(), 1, 0), 1u);
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), 0);
  EXPECT_EQ(Peek()->message, WM_TIMER);

  ASSERT_EQ(win::SetTimer(window.handle(), 1, kHour), 1u);
  EXPECT_EQ(Peek(), std::nullopt) << "a timer set again is due one new interval from now";
  EXPECT_GT(win::MillisecondsUntilNextTimer(), static_cast<int>(kHour) - 60'000);
}

TEST_F(MessageQueue, ALateTimerFiresOnceAndNotInABurst) {
  constexpr auto kInterval = 40ms;
  RecordingWindow window;
  const auto set_at = std::chrono::steady_clock::now();
  ASSERT_EQ(win::SetTimer(window.handle(), 1, kInterval.count()), 1u);
  kx::test::WaitFor([&] { return std::chrono::steady_clock::now() - set_at >= 5 * kInterval; });

  const auto first_at = std::chrono::steady_clock::now();
  ASSERT_EQ(Peek()->message, WM_TIMER);
  const bool fired_again = Peek().has_value();
  const auto elapsed = std::chrono::steady_clock::now() - first_at;
  EXPECT_TRUE(!fired_again || elapsed >= kInterval) << "it caught up on the ticks it missed";
}

TEST_F(MessageQueue, DestroyedWindowRefusesEveryCall) {
  RecordingWindow window;
  const win::HWND handle = window.handle();
  ASSERT_TRUE(win::DestroyWindow(handle));
  EXPECT_FALSE(win::IsWindow(handle));
  EXPECT_FALSE(win::DestroyWindow(handle));
  EXPECT_EQ(win::SetTimer(handle, 1, 0), 0u);
  EXPECT_FALSE(win::KillTimer(handle, 1));
  EXPECT_FALSE(win::PostMessage(handle, WM_USER, 0, 0));
  const win::MSG msg{handle, WM_USER, 0, 0};
  EXPECT_EQ(win::DispatchMessage(&msg), 0);
  EXPECT_TRUE(window.received().empty());

  RecordingWindow later;
  EXPECT_NE(later.handle(), handle) << "handles are never reused";
}

TEST_F(MessageQueue, DestroyWindowDropsItsWaitingMessagesAndTimers) {
  RecordingWindow doomed, survivor;
  ASSERT_TRUE(win::PostMessage(doomed.handle(), WM_USER, 1, 0));
  ASSERT_TRUE(win::PostMessage(survivor.handle(), WM_USER, 2, 0));
  ASSERT_TRUE(win::PostMessage(doomed.handle(), WM_USER, 3, 0));
  ASSERT_EQ(win::SetTimer(doomed.handle(), 1, 0), 1u);
  ASSERT_TRUE(win::DestroyWindow(doomed.handle()));

  EXPECT_EQ(win::DispatchPendingMessages(), 1);
  EXPECT_TRUE(doomed.received().empty());
  EXPECT_EQ(survivor.received(), (Log{{WM_USER, 2}}));
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), -1);
}

TEST_F(MessageQueue, AMessageTakenOutBeforeItsWindowWasDestroyedReachesNobody) {
  RecordingWindow window;
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 0, 0));
  const win::MSG msg = Get();
  ASSERT_TRUE(win::DestroyWindow(window.handle()));
  EXPECT_EQ(win::DispatchMessage(&msg), 0);
  EXPECT_TRUE(window.received().empty());
}

TEST_F(MessageQueue, AProcedureMayDestroyItsWindowAndUseTheQueueWhileDispatched) {
  std::optional<RecordingWindow> other;
  RecordingWindow window([&](win::HWND self, win::UINT message, win::WPARAM, win::LPARAM) -> win::LRESULT {
    if (message != WM_USER) return 0;
    other.emplace();
    EXPECT_EQ(win::SetTimer(other->handle(), 9, 0), 9u);
    EXPECT_TRUE(win::PostMessage(other->handle(), WM_USER, 1, 0));
    EXPECT_EQ(win::SetTimer(self, 1, 0), 1u);
    EXPECT_TRUE(win::KillTimer(self, 1));
    EXPECT_TRUE(win::DestroyWindow(self));
    EXPECT_FALSE(win::IsWindow(self));
    return 5;
  });
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER, 0, 0));
  ASSERT_TRUE(win::PostMessage(window.handle(), WM_USER + 1, 0, 0));

  const win::MSG msg = Get();
  EXPECT_EQ(win::DispatchMessage(&msg), 5) << "the procedure's result";
  EXPECT_EQ(win::DispatchPendingMessages(), 2);
  EXPECT_EQ(window.received(), (Log{{WM_USER, 0}}));
  ASSERT_TRUE(other.has_value());
  EXPECT_EQ(other->received(), (Log{{WM_USER, 1}, {WM_TIMER, 9}}));
}

TEST_F(MessageQueue, WakeDescriptorBecomesReadableWhenThereIsSomethingNew) {
  RecordingWindow window;
  const int descriptor = win::GetQueueWakeDescriptor();
  ASSERT_GE(descriptor, 0);
  EXPECT_EQ(win::GetQueueWakeDescriptor(), descriptor);
  EXPECT_FALSE(IsReadable(descriptor));

  const std::pair<const char*, std::function<void()>> changes[] = {
      {"post", [&] { win::PostMessage(window.handle(), WM_USER, 0, 0); }},
      {"set a timer", [&] { win::SetTimer(window.handle(), 1, 60'000); }},
      {"set it again", [&] { win::SetTimer(window.handle(), 1, 30'000); }},
      {"kill it", [&] { win::KillTimer(window.handle(), 1); }},
      {"quit", [] { win::PostQuitMessage(0); }},
  };
  for (const auto& [what, change] : changes) {
    change();
    EXPECT_TRUE(IsReadable(descriptor)) << what;
    win::ClearQueueWakeup();
    EXPECT_FALSE(IsReadable(descriptor)) << what;
  }
  EXPECT_EQ(Peek()->message, WM_USER) << "clearing the wakeup leaves the messages";
}

TEST_F(MessageQueue, MillisecondsUntilNextTimerFollowsTheEarliestTimer) {
  RecordingWindow window;
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), -1);
  ASSERT_EQ(win::SetTimer(window.handle(), 1, 60'000), 1u);
  EXPECT_GT(win::MillisecondsUntilNextTimer(), 59'000);
  EXPECT_LE(win::MillisecondsUntilNextTimer(), 60'000);
  ASSERT_EQ(win::SetTimer(window.handle(), 2, 20'000), 2u);
  EXPECT_GT(win::MillisecondsUntilNextTimer(), 19'000);
  EXPECT_LE(win::MillisecondsUntilNextTimer(), 20'000);
  ASSERT_EQ(win::SetTimer(window.handle(), 3, 0), 3u);
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), 0);
  ASSERT_TRUE(win::KillTimer(window.handle(), 3));
  ASSERT_TRUE(win::KillTimer(window.handle(), 2));
  EXPECT_GT(win::MillisecondsUntilNextTimer(), 59'000);
  ASSERT_TRUE(win::DestroyWindow(window.handle()));
  EXPECT_EQ(win::MillisecondsUntilNextTimer(), -1);
}

}  // namespace
