// zarn-find as a user runs it: output lines, errors, exit statuses, the tab-delimited file, Ctrl-C.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

using kx::test::Outcome;
using kx::test::RunProgram;

Outcome ZarnFind(const std::vector<std::string>& arguments, bool interrupt_after_first_output = false) {
  return RunProgram(ZARN_FIND_PATH, arguments, interrupt_after_first_output);
}

std::string ReadToEnd(int fd) {
  std::string bytes;
  char buffer[65536];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, static_cast<std::size_t>(got));
  close(fd);
  return bytes;
}

// zarn-find with its standard output on `out` (closed when `out` is -1). `while_running` runs while it
// runs, before its standard error is read; run.out stays empty.
Outcome ZarnFindWritingTo(int out, const std::vector<std::string>& arguments,
                          const std::function<void()>& while_running = {}) {
  int err[2];
  if (pipe2(err, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0)
    posix_spawn_file_actions_adddup2(&actions, out, 1);
  else
    posix_spawn_file_actions_addclose(&actions, 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> argv{const_cast<char*>(ZARN_FIND_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ZARN_FIND_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(err[1]);
  Outcome run;
  if (spawned != 0) {
    close(err[0]);
    return run;
  }
  if (while_running) while_running();
  run.err = ReadToEnd(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
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
