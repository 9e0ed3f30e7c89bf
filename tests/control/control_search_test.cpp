// A control running whole searches: Begin's checks, the events and their order, reading the findings
// back, Abort, and the tab-delimited file.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <dirent.h>

#include "control/engine/search_job.h"
#include "control/object/zarn_ctrl.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

using Events = std::vector<std::string>;

class ControlSearch : public ::testing::Test {
 protected:
  ControlSearch() {
    control_.SetEventSink(&events_);
    control_.SetSupportOfficeDocs(false);
    control_.SetThreadPriority(4);
    control_.SetSearchPath(folder_.path());
    control_.SetSearchExt("*.txt");
    control_.SetSearchString("needle");
  }
  ~ControlSearch() override { control_.SetEventSink(nullptr); }

  // Begins and pumps until the search has completed.
  void SearchToTheEnd() {
    ASSERT_TRUE(control_.Begin());
    ASSERT_TRUE(PumpUntil([this] { return events_.Saw("ScanCompleted"); }));
    EXPECT_FALSE(control_.GetSearchActive());
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  EventRecorder events_;
  CZarnCtrl control_;
};

TEST_F(ControlSearch, BeginChecksInOrderAndRefusesWithTheMessageAlone) {
  control_.SetSearchString("");
  control_.SetSearchPath("");
  control_.SetSearchExt("");
  EXPECT_FALSE(control_.Begin());
  EXPECT_EQ(events_.events(), Events{"OnError 507 Invalid Search String:  "});
  control_.SetSearchString("x");
  EXPECT_FALSE(control_.Begin());
  control_.SetSearchPath(folder_.path());
  EXPECT_FALSE(control_.Begin());
  EXPECT_EQ(events_.events(),
            (Events{"OnError 507 Invalid Search String:  ", "OnError 508 Invalid Search Folder/Path: ",
                    "OnError 509 Invalid Search File Type: "}));
}

TEST_F(ControlSearch, APatternThatDoesNotCompileIsRefusedWithThePattern) {
  control_.SetRegularExpression(true);
  control_.SetSearchString("[abc");
  EXPECT_FALSE(control_.Begin());
  EXPECT_EQ(events_.events(), Events{"OnError 507 Invalid Search String:  [abc"});
  EXPECT_FALSE(control_.GetSearchActive());
}

TEST_F(ControlSearch, ASearchStartsEmptyFindsAndCompletes) {
  folder_.Write("a.txt", "one needle\nneedle two\n");
  folder_.Write("b.bin", "needle\n");
  SearchToTheEnd();
  EXPECT_EQ(events_.events(), (Events{"ScanStarted", "ScanCompleted"}));
  ASSERT_EQ(control_.GetSearchCount(), 2);
  std::string path = "unchanged", text = "unchanged";
  std::int32_t line = -7, column = -7;
  EXPECT_TRUE(control_.GetFileData(0, &path, &line, &column, &text));
  EXPECT_EQ(path, folder_ / "a.txt");
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 5);
  EXPECT_EQ(text, "needle");
  EXPECT_TRUE(control_.GetFileData(1, &path, &line, &column, &text));
  EXPECT_EQ(line, 2);
  EXPECT_EQ(text, "needle two");
  EXPECT_GE(control_.GetSearchTime(), 0);
  EXPECT_LT(control_.GetSearchTime(), 60000);
}

TEST_F(ControlSearch, GetFileDataOutOfRangeRaises506BeforeReturningAndTouchesNothing) {
  folder_.Write("a.txt", "needle\n");
  SearchToTheEnd();
  events_.Clear();
  std::string path = "p", text = "t";
  std::int32_t line = 11, column = 12;
  for (const std::int32_t number : {-1, control_.GetSearchCount()}) {
    EXPECT_FALSE(control_.GetFileData(number, &path, &line, &column, &text));
    EXPECT_EQ(events_.events().back(), "OnError 506 RecordNumber argument is invalid");
  }
  EXPECT_EQ(events_.events().size(), 2u);
  EXPECT_EQ(std::tie(path, line, column, text), std::make_tuple(std::string("p"), 11, 12, std::string("t")));
}

// GetFileData(number) in a child process: "506" when it refused with 506 alone and left its out-parameters
// as they were, "accepted" or "crashed" otherwise, so that a read past the store fails only the check.
std::string RefusalOf(CZarnCtrl& control, EventRecorder& events, std::int32_t number) {
  const pid_t child = fork();
  if (child < 0) return "not run";
  if (child == 0) {
    events.Clear();
    std::string path = "p", text = "t";
    std::int32_t line = 11, column = 12;
    const bool accepted = control.GetFileData(number, &path, &line, &column, &text);
    const bool told = events.events() == Events{"OnError 506 RecordNumber argument is invalid"};
    const bool untouched = path == "p" && line == 11 && column == 12 && text == "t";
    _exit(accepted ? 1 : told && untouched ? 0 : 2);
  }
  int status = -1;
  if (waitpid(child, &status, 0) != child) return "lost";
  if (WIFSIGNALED(status)) return "crashed with signal " + std::to_string(WTERMSIG(status));
  const char* kOutcomes[] = {"506", "accepted", "refused otherwise"};
  return WIFEXITED(status) && WEXITSTATUS(status) < 3 ? kOutcomes[WEXITSTATUS(status)] : "ended otherwise";
}

TEST_F(ControlSearch, GetFileDataReadsZeroToSearchCountMinusOneAndRefusesEveryOtherNumberCleanly) {
  folder_.Write("a.txt", "needle one\nneedle two\nneedle three\n");
  SearchToTheEnd();
  const std::int32_t count = control_.GetSearchCount();
  ASSERT_EQ(count, 3);
  std::string path, text;
  std::int32_t line = 0, column = 0;
  EXPECT_TRUE(control_.GetFileData(0, &path, &line, &column, &text));
  EXPECT_EQ(std::tie(line, text), std::make_tuple(1, std::string("needle one")));
  EXPECT_TRUE(control_.GetFileData(count - 1, &path, &line, &column, &text));
  EXPECT_EQ(std::tie(line, text), std::make_tuple(3, std::string("needle three")));
  // The child gets a copy of this process: the search's worker thread must have exited and been joined.
  ASSERT_TRUE(PumpUntil([] { return SearchWorkersHaveExited(); }));
  for (const std::int32_t number : {-1, count, count + 1, INT32_MIN, INT32_MAX})
    EXPECT_EQ(RefusalOf(control_, events_, number), "506") << number;
}

TEST_F(ControlSearch, AFolderThatDoesNotExistIsReportedAfterBeginThenCompletes) {
  control_.SetSearchPath(folder_ / "nowhere");
  EXPECT_TRUE(control_.Begin());
  ASSERT_TRUE(PumpUntil([this] { return events_.Saw("ScanCompleted"); }));
  EXPECT_EQ(events_.events(),
            (Events{"ScanStarted", "OnError 508 Invalid Search Folder/Path: " + folder_ / "nowhere/",
                    "ScanCompleted"}));
  EXPECT_EQ(control_.GetSearchCount(), 0);
}

TEST_F(ControlSearch, ErrorsOfTheSearchArriveInOrderBeforeItsCompletion) {
  folder_.Write("a.txt", std::string(3000, 'x') + "\n");
  folder_.Write("b.txt", std::string(3000, 'y') + "\n");
  SearchToTheEnd();
  ASSERT_EQ(events_.events().size(), 4u);
  EXPECT_EQ(events_.events()[0], "ScanStarted");
  EXPECT_EQ(events_.events()[1].rfind(
                "OnError 505 Binary File Encountered (Line Exceeded 2048 characters)" + folder_.path(), 0),
            0u);
  EXPECT_EQ(events_.events()[2].rfind("OnError 505 ", 0), 0u);
  EXPECT_EQ(events_.events()[3], "ScanCompleted");
}

// A Begin made from an OnError handler: nothing of the earlier search follows the new ScanStarted, not
// even what the relay had already taken out of the queue.
TEST_F(ControlSearch, ABeginFromAnErrorHandlerDropsWhatRemainsOfTheEarlierSearch) {
  folder_.Write("a.txt", std::string(3000, 'x') + "\n");
  folder_.Write("b.txt", std::string(3000, 'y') + "\n");
  folder_.Write("c.log", "needle\n");
  ASSERT_TRUE(control_.Begin());
  ASSERT_TRUE(
      kx::test::WaitFor([this] { return !control_.GetSearchActive(); }));  // all posted, none delivered
  bool begun = false;
  events_.on_event = [&](const std::string& event) {
    if (event == "ScanCompleted") {
      EXPECT_FALSE(control_.GetSearchActive());
    }
    if (begun || event.rfind("OnError 505 ", 0) != 0) return;
    begun = true;
    control_.SetSearchExt("*.log");
    EXPECT_TRUE(control_.Begin());
  };
  ASSERT_TRUE(PumpUntil([this] { return events_.Saw("ScanCompleted"); }));
  PumpPending();
  ASSERT_EQ(events_.events().size(), 4u);
  EXPECT_EQ(events_.events()[0], "ScanStarted");
  EXPECT_EQ(events_.events()[1].rfind("OnError 505 ", 0), 0u);
  EXPECT_EQ(events_.events()[2], "ScanStarted");
  EXPECT_EQ(events_.events()[3], "ScanCompleted");
  EXPECT_EQ(control_.GetSearchCount(), 1);
}

TEST_F(ControlSearch, BeginWhileSearchingIsRefusedAndTheSearchGoesOn) {
  for (int i = 0; i < 40; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "needle\n");
  control_.SetThreadPriority(0);  // 41 ms after every entry: the search outlasts the test's checks
  ASSERT_TRUE(control_.Begin());
  EXPECT_FALSE(control_.Begin());
  EXPECT_EQ(events_.events(),
            (Events{"ScanStarted", "OnError 502 Search is in process, abort current search first."}));
  EXPECT_TRUE(control_.GetSearchActive());
  control_.Abort();
}

TEST_F(ControlSearch, AbortStopsAtOnceKeepsTheFindingsAndNoCompletionFollows) {
  for (int i = 0; i < 40; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "needle\n");
  control_.SetThreadPriority(0);
  ASSERT_TRUE(control_.Begin());
  ASSERT_TRUE(PumpUntil([this] { return control_.GetSearchCount() >= 1; }));
  control_.Abort();
  EXPECT_FALSE(control_.GetSearchActive());
  const std::int32_t count = control_.GetSearchCount();
  const std::int32_t duration = control_.GetSearchTime();
  EXPECT_GE(count, 1);
  EXPECT_LT(count, 40);
  PumpPending();
  EXPECT_EQ(events_.events(), Events{"ScanStarted"});
  EXPECT_EQ(control_.GetSearchCount(), count);
  EXPECT_EQ(control_.GetSearchTime(), duration);
  std::string path, text;
  std::int32_t line, column;
  EXPECT_TRUE(control_.GetFileData(count - 1, &path, &line, &column, &text));
}

TEST_F(ControlSearch, AbortWithoutASearchChangesNothingAndTheNextBeginSearches) {
  folder_.Write("a.txt", "needle\n");
  SearchToTheEnd();
  const std::int32_t duration = control_.GetSearchTime();
  events_.Clear();
  control_.Abort();
  EXPECT_TRUE(events_.events().empty());
  EXPECT_EQ(control_.GetSearchTime(), duration);
  SearchToTheEnd();
  EXPECT_EQ(control_.GetSearchCount(), 1);
}

TEST_F(ControlSearch, ARefusedBeginKeepsThePreviousFindings) {
  folder_.Write("a.txt", "needle\n");
  SearchToTheEnd();
  control_.SetSearchString("");
  EXPECT_FALSE(control_.Begin());
  EXPECT_EQ(control_.GetSearchCount(), 1);
}

// The worker's scheduling policy, found among this process's threads while the search runs.
bool SomeThreadRunsIdle() {
  DIR* tasks = opendir("/proc/self/task");
  bool idle = false;
  while (dirent* entry = readdir(tasks))
    if (entry->d_name[0] != '.' && sched_getscheduler(std::atoi(entry->d_name)) == SCHED_IDLE) idle = true;
  closedir(tasks);
  return idle;
}

TEST_F(ControlSearch, ThreadPriorityIdleRunsTheWorkerAtIdlePriority) {
  for (int i = 0; i < 40; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "needle\n");
  control_.SetThreadPriority(0);
  ASSERT_TRUE(control_.Begin());
  EXPECT_TRUE(PumpUntil(SomeThreadRunsIdle));
  control_.Abort();
}

}  // namespace
}  // namespace zarn::test
