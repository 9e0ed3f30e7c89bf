// zarn-find as a user runs it: output lines, errors, exit statuses, the tab-delimited file, Ctrl-C.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::Outcome;
using kx::test::RunProgram;

Outcome ZarnFind(const std::vector<std::string>& arguments, bool interrupt_after_first_output = false) {
  return RunProgram(ZARN_FIND_PATH, arguments, interrupt_after_first_output);
}

class ZarnFindTool : public ::testing::Test {
 protected:
  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
};

TEST_F(ZarnFindTool, PrintsEveryFindingAsPathLineColumnText) {
  folder_.Write("a.txt", "x\n\nthe Cat sat\n");
  folder_.Write("sub/b.txt", "cat\n");
  const Outcome run = ZarnFind({"-s", folder_.path(), "*.txt", "cat"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, folder_ / "a.txt" + ":3:5:Cat sat\n" + folder_ / "sub/b.txt" + ":1:1:cat\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(ZarnFindTool, OptionsReachTheControl) {
  folder_.Write("a.txt", "Cat cat concat\n");
  EXPECT_EQ(ZarnFind({"-c", "-w", folder_.path(), "*.txt", "cat"}).out,
            folder_ / "a.txt" + ":1:5:cat concat\n");
  EXPECT_EQ(ZarnFind({"-x", folder_.path(), "*.txt", "^c?t"}).out,
            folder_ / "a.txt" + ":1:1:Cat cat concat\n");
}

TEST_F(ZarnFindTool, NothingFoundExitsOne) {
  folder_.Write("a.txt", "nothing\n");
  const Outcome run = ZarnFind({folder_.path(), "*.txt", "absent"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
}

TEST_F(ZarnFindTool, ASearchThatCannotStartExitsTwoWithTheError) {
  Outcome run = ZarnFind({folder_ / "missing", "*.txt", "x"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "zarn-find: error 508: Invalid Search Folder/Path: " + folder_ / "missing/\n");
  run = ZarnFind({folder_.path(), "*.txt", ""});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "zarn-find: error 507: Invalid Search String:  \n");
  run = ZarnFind({"-x", folder_.path(), "*.txt", "[a"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "zarn-find: error 507: Invalid Search String:  [a\n");
}

TEST_F(ZarnFindTool, ErrorsOfTheSearchGoToStandardErrorAndTheSearchGoesOn) {
  folder_.Write("a.txt", std::string(3000, 'x') + "\nfind me\n");
  const Outcome run = ZarnFind({folder_.path(), "*.txt", "find"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, folder_ / "a.txt" + ":2:1:find me\n");
  EXPECT_EQ(run.err, "zarn-find: error 505: Binary File Encountered (Line Exceeded 2048 characters)" +
                         folder_ / "a.txt" + "\n");
}

TEST_F(ZarnFindTool, WritesTheTabDelimitedFileWhenAsked) {
  folder_.Write("a.txt", "cat\n");
  EXPECT_EQ(ZarnFind({"--tsv", folder_ / "out.tsv", folder_.path(), "*.txt", "cat"}).status, 0);
  EXPECT_EQ(kx::test::ReadFile(folder_ / "out.tsv"),
            "File\tLine\tCol\tItemFound\r\n" + folder_ / "a.txt" + "\t1\t1\tcat\r\n");
  const Outcome run = ZarnFind({"--tsv", folder_ / "no/such/out.tsv", folder_.path(), "*.txt", "cat"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("error 504: Unable to open file:  " + folder_ / "no/such/out.tsv"),
            std::string::npos);
}

TEST_F(ZarnFindTool, HelpAndBadArguments) {
  const Outcome help = ZarnFind({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: zarn-find"), std::string::npos);
  EXPECT_EQ(ZarnFind({"-p", "9", ".", "*.*", "x"}).status, 2);
  EXPECT_EQ(ZarnFind({"--bogus", ".", "*.*", "x"}).status, 2);
  EXPECT_EQ(ZarnFind({"only-two", "args"}).status, 2);
}

TEST_F(ZarnFindTool, CtrlCStopsPrintsWhatWasFoundAndExits130) {
  for (int i = 0; i < 200; ++i) folder_.Write("f" + std::to_string(1000 + i) + ".txt", "hit\n");
  const Outcome run = ZarnFind({"-p", "0", folder_.path(), "*.txt", "hit"}, true);
  EXPECT_EQ(run.status, 130);
  EXPECT_FALSE(run.out.empty());
  EXPECT_LT(run.out.size(), 200 * (folder_ / "f1000.txt:1:1:hit\n").size());
}

}  // namespace
