// The tab-delimited findings file written by SaveDataToTabFile.
#include <gtest/gtest.h>

#include <filesystem>

#include "control/surface/zarn_ctrl.h"
#include "tests/support/temp_folder.h"
#include "tests/surface/event_recorder.h"

namespace zarn::test {
namespace {

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

TEST_F(TabFile, SavingAgainReplacesTheFile) {
  folder_.Write("data/a.txt", "abc\n");
  Search("abc");
  folder_.Write("out.tsv", std::string(5000, 'z'));
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_TRUE(control_.SaveDataToTabFile(folder_ / "out.tsv"));
  EXPECT_EQ(kx::test::ReadFile(folder_ / "out.tsv")->size(), 25u + (folder_ / "data/a.txt").size() + 10u);
}

TEST_F(TabFile, AFileInAMissingFolderIsReportedAndNotCreated) {
  events_.Clear();
  const std::string target = folder_ / "missing/out.tsv";
  EXPECT_FALSE(control_.SaveDataToTabFile(target));
  EXPECT_EQ(events_.events(), std::vector<std::string>{"OnError 504 Unable to open file:  " + target});
  EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace zarn::test
