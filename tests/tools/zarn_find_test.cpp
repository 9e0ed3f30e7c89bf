// zarn-find as a user runs it: output lines, errors, exit statuses, the tab-delimited file, Ctrl-C.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "kestrix_version.h"
#include "tests/support/temp_folder.h"
#include "tests/tools/zarn_find_run.h"
#include "tools/zarn-find/command_line.h"

namespace {

using kx::test::Outcome;
using kx::test::ReadToEnd;
using kx::test::ZarnFind;
using kx::test::ZarnFindWritingTo;

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
  for (const std::string& unwritable : {folder_ / "no/such/out.tsv", std::string("/dev/full")}) {
    const Outcome run = ZarnFind({"--tsv", unwritable, folder_.path(), "*.txt", "cat"});
    EXPECT_EQ(run.status, 2) << unwritable;
    EXPECT_NE(run.err.find("error 504: Unable to open file:  " + unwritable + "\n"), std::string::npos)
        << unwritable;
  }
}

TEST_F(ZarnFindTool, AnOutputThatCannotBeWrittenIsReportedAndAPipeClosedByItsReaderIsNot) {
  folder_.Write("a.txt", "hit\n");
  const auto pipe_without_reader = [] {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return -1;
    close(fds[0]);
    return fds[1];
  };
  const struct {
    const char* output;
    std::function<int()> open;
    int status;
    std::string err;
  } kCases[] = {
      {"/dev/full", [] { return open("/dev/full", O_WRONLY | O_CLOEXEC); }, 2,
       "zarn-find: cannot write to standard output: No space left on device\n"},
      {"closed", [] { return -1; }, 2, "zarn-find: cannot write to standard output: Bad file descriptor\n"},
      {"pipe without reader", pipe_without_reader, 0, ""},
  };
  for (const auto& output : kCases) {
    const int out = output.open();
    const Outcome run = ZarnFindWritingTo(out, {folder_.path(), "*.txt", "hit"});
    if (out >= 0) close(out);
    EXPECT_EQ(run.status, output.status) << output.output;
    EXPECT_EQ(run.err, output.err) << output.output;
  }
}

TEST_F(ZarnFindTool, ASlowReaderOfANonBlockingPipeGetsEveryFinding) {
  std::string lines, expected;
  for (int i = 1; i <= 4000; ++i) {
    lines += "hit\n";
    expected += folder_ / "a.txt:" + std::to_string(i) + ":1:hit\n";
  }
  folder_.Write("a.txt", lines);
  int fds[2];
  ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, O_NONBLOCK), 0);
  std::string out;
  const Outcome run = ZarnFindWritingTo(fds[1], {folder_.path(), "*.txt", "hit"}, [&] {
    // The reader lets the pipe fill up before it reads, so zarn-find finds it full.
    kx::test::WaitFor([&] {
      pollfd writable{fds[1], POLLOUT, 0};
      return poll(&writable, 1, 0) == 0;
    });
    close(fds[1]);
    out = ReadToEnd(fds[0]);
  });
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(out.size(), expected.size());
  EXPECT_TRUE(out == expected);
}

TEST_F(ZarnFindTool, ASettingsFolderThatCannotBeMadeIsReportedAndTheSearchGoesOn) {
  folder_.Write("a.txt", "hit\n");
  const std::string not_a_folder = folder_.Write("file", "");
  kx::test::ScopedEnv config("XDG_CONFIG_HOME", not_a_folder);
  kx::test::ScopedEnv home("HOME", not_a_folder);
  const Outcome run = ZarnFind({folder_.path(), "*.txt", "hit"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, folder_ / "a.txt:1:1:hit\n");
  EXPECT_EQ(
      run.err,
      "zarn-find: error 501: An error ocurred while creating a fully qualified path name to the Kestrix "
      "initialization file.\n");
}

TEST_F(ZarnFindTool, HelpAndBadArguments) {
  const Outcome help = ZarnFind({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: zarn-find"), std::string::npos);
  const Outcome version = ZarnFind({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "zarn-find " KX_VERSION "\n");
  const std::vector<std::string> kBad[] = {
      {"-p", "9"},       {"--bogus"},           {"--color=sometimes"},
      {"-l", "--count"}, {"--count", "--json"}, {"--json", "-l"},
  };
  for (std::vector<std::string> arguments : kBad) {
    arguments.insert(arguments.end(), {".", "*.*", "x"});
    const Outcome run = ZarnFind(arguments);
    EXPECT_EQ(run.status, 2) << arguments[0];
    EXPECT_EQ(run.out, "") << arguments[0];
  }
  EXPECT_EQ(ZarnFind({"only-two", "args"}).status, 2);
}

TEST_F(ZarnFindTool, AnOptionInErrorIsNamedAsGiven) {
  const struct {
    std::vector<std::string> arguments;
    std::string error;
  } kCases[] = {
      {{"-fzice", ".", "*.*", "x"}, "unknown option '-f'"},
      {{"-cq", ".", "*.*", "x"}, "unknown option '-q'"},
      {{"--json", "-xq", ".", "*.*", "x"}, "unknown option '-q'"},
      {{"--bogus", ".", "*.*", "x"}, "unknown option '--bogus'"},
      {{"--case-sensitive=yes", ".", "*.*", "x"}, "unknown option '--case-sensitive=yes'"},
      {{".", "*.*", "x", "--tsv"}, "option '--tsv' needs a value"},
      {{".", "*.*", "x", "-cp"}, "option '-p' needs a value"},
  };
  for (const auto& [arguments, error] : kCases) {
    const Outcome run = ZarnFind(arguments);
    EXPECT_EQ(run.status, 2) << arguments[0];
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
  }
}

TEST(ZarnFindCommandLine, EachParseStartsAfresh) {
  // The first parse stops at the unknown "-q", inside its cluster; the second must not go on there.
  std::string first[] = {"zarn-find", "-qc", ".", "*.*", "x"};
  char* first_argv[] = {first[0].data(), first[1].data(), first[2].data(),
                        first[3].data(), first[4].data(), nullptr};
  EXPECT_EQ(zarn_find::ParseCommandLine(5, first_argv).outcome, zarn_find::ParseResult::Outcome::kError);
  std::string second[] = {"zarn-find", ".", "*.*", "x"};
  char* second_argv[] = {second[0].data(), second[1].data(), second[2].data(), second[3].data(), nullptr};
  const zarn_find::ParseResult parsed = zarn_find::ParseCommandLine(4, second_argv);
  EXPECT_EQ(parsed.outcome, zarn_find::ParseResult::Outcome::kSearch);
  EXPECT_FALSE(parsed.command_line.case_sensitive);
}

TEST_F(ZarnFindTool, CtrlCStopsPrintsWhatWasFoundAndExits130) {
  for (int i = 0; i < 200; ++i) folder_.Write("f" + std::to_string(1000 + i) + ".txt", "hit\n");
  // The control's own pace at idle priority keeps the search going long after the first finding.
  const Outcome run = ZarnFind({"--pace", "-p", "0", folder_.path(), "*.txt", "hit"}, true);
  EXPECT_EQ(run.status, 130);
  EXPECT_FALSE(run.out.empty());
  EXPECT_LT(run.out.size(), 200 * (folder_ / "f1000.txt:1:1:hit\n").size());
}

}  // namespace
