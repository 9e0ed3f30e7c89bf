// zarn-find as a user runs it: output lines, errors, exit statuses, the tab-delimited file, Ctrl-C.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs zarn-find with `arguments`; optionally sends it SIGINT as soon as it has printed something.
Outcome ZarnFind(const std::vector<std::string>& arguments, bool interrupt_after_first_output = false) {
  int out_pipe[2], err_pipe[2];
  EXPECT_EQ(pipe(out_pipe), 0);
  EXPECT_EQ(pipe(err_pipe), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  posix_spawn_file_actions_addclose(&actions, out_pipe[0]);
  posix_spawn_file_actions_addclose(&actions, err_pipe[0]);
  std::vector<char*> argv{const_cast<char*>(ZARN_FIND_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, ZARN_FIND_PATH, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  Outcome run;
  char buffer[65536];
  bool interrupted = false;
  for (ssize_t got; (got = read(out_pipe[0], buffer, sizeof buffer)) > 0;) {
    run.out.append(buffer, static_cast<std::size_t>(got));
    if (interrupt_after_first_output && !interrupted) {
      kill(pid, SIGINT);
      interrupted = true;
    }
  }
  for (ssize_t got; (got = read(err_pipe[0], buffer, sizeof buffer)) > 0;)
    run.err.append(buffer, static_cast<std::size_t>(got));
  close(out_pipe[0]);
  close(err_pipe[0]);
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
