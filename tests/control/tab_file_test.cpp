// The tab-delimited findings file written by SaveDataToTabFile.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "control/engine/search_job.h"
#include "control/findings/result_store.h"
#include "control/object/zarn_ctrl.h"
#include "tests/control/event_recorder.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

// Runs `save`. Should it still run after a while, `fifo` gets a reader, so that a save waiting for one
// returns (and the test fails) instead of hanging.
bool WithoutWaitingForAReader(const std::string& fifo, const std::function<bool()>& save) {
  std::mutex mutex;
  std::condition_variable returned;
  bool done = false;
  std::thread rescuer([&] {
    std::unique_lock lock(mutex);
    if (returned.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) return;
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    returned.wait(lock, [&] { return done; });
    if (reader >= 0) close(reader);
  });
  const bool saved = save();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  returned.notify_all();
  rescuer.join();
  return saved;
}

// Names in `folder` that begin with a dot (a temporary file left behind).
std::vector<std::string> HiddenNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().front() == '.') names.push_back(entry.path().filename());
  return names;
}

class TabFile : public ::testing::Test {
 protected:
  TabFile() {
    control_.SetEventSink(&events_);
    control_.SetSupportOfficeDocs(false);
    control_.SetThreadPriority(4);
    control_.SetSearchPath(folder_.MakeFolder("data"));
    control_.SetSearchExt("*.*");
  }
  ~TabFile() override { control_.SetEventSink(nullptr); }

  void Search(const std::string& string) {
    control_.SetSearchString(string);
    events_.Clear();
    ASSERT_TRUE(control_.Begin());
    ASSERT_TRUE(PumpUntil([this] { return events_.Saw("ScanCompleted"); }));
  }

  kx::test::TempFolder folder_;
  EventRecorder events_;
  CZarnCtrl control_;
};

TEST_F(TabFile, WithoutFindingsItHoldsTheHeaderAlone) {
  Search("nothing-here");
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_EQ(kx::test::ReadFile(folder_ / "out.tsv"), "File\tLine\tCol\tItemFound\r\n");
}

TEST_F(TabFile, RowsHoldPathLineColumnAndTextByteForByteInRecordOrder) {
  const std::string name = "caf\xE9.txt";
  folder_.Write("data/" + name, "\n\n\nxx abc\tdef\n");
  Search("abc");
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_EQ(kx::test::ReadFile(folder_ / "out.tsv"),
            "File\tLine\tCol\tItemFound\r\n" + folder_ / "data/" + name + "\t4\t4\tabc\tdef\r\n");
}

// Each row holds the path, the line number, the column number and the text, in that order, the numbers in
// decimal as stored.
TEST(TabFileRows, HoldPathLineColumnAndTextInThatOrder) {
  kx::test::TempFolder folder;
  ResultStore store;
  store.Append(FindingView{"/docs/a.txt", 12, 5, "abc"});
  store.Append(FindingView{"/docs/a.txt", 1, 2046, "z"});
  store.Append(FindingView{"/docs/b.txt", INT32_MAX, 300, ""});
  ASSERT_TRUE(store.SaveToTabFile(folder / "out.tsv"));
  EXPECT_EQ(kx::test::ReadFile(folder / "out.tsv"),
            "File\tLine\tCol\tItemFound\r\n"
            "/docs/a.txt\t12\t5\tabc\r\n"
            "/docs/a.txt\t1\t2046\tz\r\n"
            "/docs/b.txt\t2147483647\t300\t\r\n");
}

TEST_F(TabFile, SavingAgainReplacesTheFile) {
  folder_.Write("data/a.txt", "abc\n");
  Search("abc");
  folder_.Write("out.tsv", std::string(5000, 'z'));
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_EQ(kx::test::ReadFile(folder_ / "out.tsv")->size(), 25u + (folder_ / "data/a.txt").size() + 10u);
}

TEST_F(TabFile, ATargetThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  const std::string fifo = folder_ / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string read_only = folder_.Write("read-only.tsv", "kept");
  ASSERT_EQ(chmod(read_only.c_str(), 0444), 0);
  std::vector<std::string> targets = {folder_ / "missing/out.tsv", folder_ / "data", "/dev/full", fifo};
  if (geteuid() != 0) targets.push_back(read_only);  // the superuser may write any file
  for (const std::string& target : targets) {
    events_.Clear();
    EXPECT_FALSE(WithoutWaitingForAReader(fifo, [&] { return control_.SaveDataToTabFile(target); }))
        << target;
    EXPECT_EQ(events_.events(), std::vector<std::string>{"OnError 504 Unable to open file:  " + target});
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
  EXPECT_EQ(kx::test::ReadFile(read_only), "kept");
  EXPECT_EQ(HiddenNames(folder_.path()), std::vector<std::string>{});
}

TEST_F(TabFile, AnExportThatFailsHalfWayLeavesTheEarlierFile) {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "abc\n";
  folder_.Write("data/a.txt", lines);
  Search("abc");
  const std::string target = folder_.Write("out.tsv", "earlier export\n");
  // The child gets a copy of this process: the search's worker thread must have exited and been joined.
  ASSERT_TRUE(PumpUntil([] { return zarn::SearchWorkersHaveExited(); }));
  const pid_t child = fork();
  if (child == 0) {  // a process whose files may not grow beyond 1000 bytes
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    events_.Clear();
    const bool saved = control_.SaveDataToTabFile(target);
    _exit(!saved &&
                  events_.events() == std::vector<std::string>{"OnError 504 Unable to open file:  " + target}
              ? 0
              : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the export did not fail with 504";
  EXPECT_EQ(kx::test::ReadFile(target), "earlier export\n");
  EXPECT_EQ(HiddenNames(folder_.path()), std::vector<std::string>{});
}

TEST_F(TabFile, ALinkKeepsPointingAtTheFileItNamesAndAReplacedFileKeepsItsPermissions) {
  Search("nothing-here");
  const std::string real = folder_.Write("real.tsv", "old");
  ASSERT_EQ(chmod(real.c_str(), 0604), 0);
  ASSERT_EQ(symlink("real.tsv", (folder_ / "link.tsv").c_str()), 0);
  ASSERT_EQ(symlink("later.tsv", (folder_ / "ahead.tsv").c_str()), 0);
  for (const char* link : {"link.tsv", "ahead.tsv"}) {
    EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / link)) << link;
    EXPECT_TRUE(std::filesystem::is_symlink(folder_ / link)) << link;
  }
  const std::string header = "File\tLine\tCol\tItemFound\r\n";
  EXPECT_EQ(kx::test::ReadFile(real), header);
  EXPECT_EQ(kx::test::ReadFile(folder_ / "later.tsv"), header);
  struct stat status;
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0604u);
}

}  // namespace
}  // namespace zarn::test
