// A control destroyed or stopped at any moment of a search, also from inside its own events, and many
// searches begun and stopped while the host reads findings and changes options. Run under both
// sanitizers in CI.
#include <gtest/gtest.h>

#include <memory>

#include "control/object/zarn_ctrl.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

class ControlLifetime : public ::testing::Test {
 protected:
  ControlLifetime() {
    for (int i = 0; i < 30; ++i) folder_.Write("f" + std::to_string(i) + ".txt", Content(i));
    folder_.Write("sub/long.txt", std::string(5000, 'n') + "\nneedle\n");
  }

  static std::string Content(int i) {
    std::string text;
    for (int line = 0; line < 200 + i; ++line) text += "a needle on line " + std::to_string(line) + "\n";
    return text;
  }

  std::unique_ptr<CZarnCtrl> NewControl(int priority = 4) {
    auto control = std::make_unique<CZarnCtrl>();
    control->SetEventSink(&events_);
    control->SetSupportOfficeDocs(false);
    control->SetThreadPriority(priority);
    control->SetLookInSubfolders(true);
    control->SetSearchPath(folder_.path());
    control->SetSearchExt("*.txt");
    control->SetSearchString("needle");
    return control;
  }

  kx::test::TempFolder folder_;
  EventRecorder events_;
};

TEST_F(ControlLifetime, DestroyedDuringASearchItFiresNothingMore) {
  auto control = NewControl(0);
  ASSERT_TRUE(control->Begin());
  ASSERT_TRUE(PumpUntil([&] { return control->GetSearchCount() > 0; }));
  control.reset();
  const auto seen = events_.events().size();
  PumpPending();
  EXPECT_EQ(events_.events().size(), seen);
}

TEST_F(ControlLifetime, DestroyedFromItsOwnScanStartedEvent) {
  auto control = NewControl();
  events_.on_event = [&](const std::string& event) {
    if (event == "ScanStarted") control.reset();
  };
  EXPECT_TRUE(control->Begin());
  EXPECT_EQ(control, nullptr);
  PumpPending();
  EXPECT_EQ(events_.events(), std::vector<std::string>{"ScanStarted"});
}

TEST_F(ControlLifetime, AbortedFromItsOwnScanStartedEventItStopsAtOnce) {
  auto control = NewControl(0);
  events_.on_event = [&](const std::string& event) {
    if (event == "ScanStarted") control->Abort();
  };
  EXPECT_TRUE(control->Begin());
  EXPECT_TRUE(PumpUntil([&] { return !control->GetSearchActive(); }));
  EXPECT_EQ(control->GetSearchCount(), 0);
}

TEST_F(ControlLifetime, DestroyedFromAnErrorEventInTheMiddleOfSeveral) {
  for (int i = 0; i < 5; ++i) folder_.Write("bad" + std::to_string(i) + ".txt", std::string(3000, 'x'));
  auto control = NewControl();
  int errors = 0;
  events_.on_event = [&](const std::string& event) {
    if (event.rfind("OnError", 0) == 0 && ++errors == 2) control.reset();
  };
  ASSERT_TRUE(control->Begin());
  ASSERT_TRUE(PumpUntil([&] { return control == nullptr; }));
  PumpPending();
  EXPECT_EQ(errors, 2);
}

TEST_F(ControlLifetime, HundredsOfSearchesBegunStoppedAndDestroyedWhileTheHostReads) {
  std::string path, text;
  std::int32_t line = 0, column = 0;
  for (int cycle = 0; cycle < 300; ++cycle) {
    auto control = NewControl(cycle % 5);
    control->SetWholeWordOnly(cycle % 2 == 0);
    ASSERT_TRUE(control->Begin());
    for (int step = 0; step < cycle % 7; ++step) {
      const std::int32_t count = control->GetSearchCount();
      if (count > 0) control->GetFileData(count - 1, &path, &line, &column, &text);
      control->SetSearchString(step % 2 ? "line" : "needle");
      control->SetCaseSensitive(step % 3 == 0);
      control->SetSearchExt(step % 2 ? "*.*" : "*.TXT");
      win::DispatchPendingMessages();
    }
    if (cycle % 3 == 0) control->Abort();
    if (cycle % 3 == 1 && !control->GetSearchActive()) {
      EXPECT_TRUE(control->Begin() || control->GetSearchActive());
    }
  }
  PumpPending();
}

}  // namespace
}  // namespace zarn::test
