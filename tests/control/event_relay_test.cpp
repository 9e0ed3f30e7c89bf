// The EventRelay on its own: notifications posted from another thread arrive on the window's thread in
// the order posted, all through one timer.
#include <gtest/gtest.h>

#include <thread>

#include "control/object/control_state.h"
#include "tests/control/event_recorder.h"

namespace zarn::test {
namespace {

class Relay : public ::testing::Test {
 protected:
  Relay() {
    state_->SetEventSink(&events_);
    window_ = win::CreateWindow([this](win::HWND, win::UINT message, win::WPARAM id, win::LPARAM) {
      if (message == win::WM_TIMER) {
        timer_ids_.push_back(id);
        state_->DeliverNotifications();
      }
      return win::LRESULT{0};
    });
    state_->Relay().AttachWindow(window_);
  }
  ~Relay() override { win::DestroyWindow(window_); }

  std::shared_ptr<ControlState> state_ = std::make_shared<ControlState>();
  EventRecorder events_;
  win::HWND window_;
  std::vector<win::WPARAM> timer_ids_;
};

TEST_F(Relay, SeveralPostsAreDeliveredByOneTimerInOrderEachOnce) {
  std::thread worker([this] {
    state_->PostNotification(NotificationKind::kError, 504, "/a");
    state_->PostNotification(NotificationKind::kError, 505, "/b");
    state_->PostNotification(NotificationKind::kError, 999, "no message: nothing fired");
    state_->PostNotification(NotificationKind::kCompletion, 0, "");
  });
  worker.join();
  PumpPending();
  EXPECT_EQ(events_.events(),
            (std::vector<std::string>{"OnError 504 Unable to open file:  /a",
                                      "OnError 505 Binary File Encountered (Line Exceeded 2048 characters)/b",
                                      "ScanCompleted"}));
  EXPECT_EQ(timer_ids_, std::vector<win::WPARAM>{2});
}

TEST_F(Relay, ACompletionAloneUsesTimerOne) {
  state_->PostNotification(NotificationKind::kCompletion, 0, "");
  PumpPending();
  EXPECT_EQ(events_.events(), std::vector<std::string>{"ScanCompleted"});
  EXPECT_EQ(timer_ids_, std::vector<win::WPARAM>{1});
}

TEST_F(Relay, ClearedNotificationsAreNeverDelivered) {
  state_->PostNotification(NotificationKind::kCompletion, 0, "");
  state_->Relay().Clear();
  state_->PostNotification(NotificationKind::kError, 504, "/new");
  PumpPending();
  EXPECT_EQ(events_.events(), std::vector<std::string>{"OnError 504 Unable to open file:  /new"});
}

TEST_F(Relay, PostsWhileDeliveringAreDeliveredToo) {
  events_.on_event = [this](const std::string& event) {
    if (event.find("/first") != std::string::npos)
      state_->PostNotification(NotificationKind::kError, 504, "/second");
  };
  state_->PostNotification(NotificationKind::kError, 504, "/first");
  PumpPending();
  ASSERT_EQ(events_.events().size(), 2u);
  EXPECT_EQ(events_.events()[1], "OnError 504 Unable to open file:  /second");
}

// A handler that runs a message loop of its own (as a modal message box does) while more is posted: the
// nested loop delivers nothing, the batch in progress goes on in order, and what was posted meanwhile
// follows it.
TEST_F(Relay, ANestedMessageLoopDeliversNothingAheadOfTheBatchInProgress) {
  events_.on_event = [this](const std::string& event) {
    if (event.find("/first") == std::string::npos) return;
    state_->PostNotification(NotificationKind::kError, 504, "/third");
    state_->PostNotification(NotificationKind::kCompletion, 0, "");
    PumpPending();
  };
  state_->PostNotification(NotificationKind::kError, 504, "/first");
  state_->PostNotification(NotificationKind::kError, 504, "/second");
  PumpPending();
  EXPECT_EQ(events_.events(),
            (std::vector<std::string>{"OnError 504 Unable to open file:  /first",
                                      "OnError 504 Unable to open file:  /second",
                                      "OnError 504 Unable to open file:  /third", "ScanCompleted"}));
}

}  // namespace
}  // namespace zarn::test
