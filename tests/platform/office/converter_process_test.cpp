// Running a converter: everything it writes collected, its end reported, and no process of its making
// left running, whether it ends, overruns its time or writes too much.
#include "platform/office/converter_process.h"

#include <gtest/gtest.h>

#include "tests/platform/office/office_test_support.h"

namespace office {
namespace {

using namespace std::chrono_literals;
using office_test::NoChildLeft;
using office_test::ProcessEnded;

ProcessOutcome RunShell(const std::string& script, std::chrono::milliseconds time = 20s,
                        std::size_t output_bytes = std::size_t{256} << 20) {
  return RunConverter({"/bin/sh", "-c", script}, ProcessLimits{time, output_bytes});
}

TEST(RunConverter, CollectsBothStreamsWholeWhateverTheirSize) {
  // More than a pipe holds on each stream, standard error first: reading one stream to its end before
  // the other would never finish.
  const ProcessOutcome outcome =
      RunShell("head -c 300000 /dev/zero | tr '\\0' e >&2; head -c 300000 /dev/zero | tr '\\0' o");
  EXPECT_EQ(outcome.end, ProcessEnd::kExited);
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.out, std::string(300000, 'o'));
  EXPECT_EQ(outcome.err, std::string(300000, 'e'));
}

TEST(RunConverter, ReportsHowTheProgramEnded) {
  EXPECT_EQ(RunShell("exit 7").code, 7);
  const ProcessOutcome killed = RunShell("kill -9 $$");
  EXPECT_EQ(killed.end, ProcessEnd::kSignalled);
  EXPECT_EQ(killed.code, 9);
  const ProcessOutcome missing = RunConverter({"/nonexistent/converter", "file"}, {});
  EXPECT_EQ(missing.end, ProcessEnd::kNotStarted);
  EXPECT_EQ(missing.code, ENOENT);
  EXPECT_TRUE(NoChildLeft());
}

TEST(RunConverter, KillsTheProgramAndItsChildrenAtTheTimeLimit) {
  const ProcessOutcome outcome = RunShell("sleep 30 & echo $!; wait", 2s);
  EXPECT_EQ(outcome.end, ProcessEnd::kTimedOut);
  EXPECT_TRUE(NoChildLeft());
  ASSERT_FALSE(outcome.out.empty());
  const int sleeper = std::stoi(outcome.out);
  EXPECT_TRUE(kx::test::WaitFor([&] { return ProcessEnded(sleeper); }, 10s));
}

TEST(RunConverter, AProgramThatClosesItsOutputButRunsOnIsTimedOut) {
  const auto start = std::chrono::steady_clock::now();
  const ProcessOutcome outcome = RunShell("exec >&- 2>&-; sleep 30", 300ms);
  EXPECT_EQ(outcome.end, ProcessEnd::kTimedOut);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_TRUE(NoChildLeft());
}

TEST(RunConverter, KillsWhatTheProgramLeftRunningWhenItEnds) {
  const ProcessOutcome outcome = RunShell("sleep 30 >/dev/null 2>&1 & echo $!");
  EXPECT_EQ(outcome.end, ProcessEnd::kExited);
  ASSERT_FALSE(outcome.out.empty());
  const int sleeper = std::stoi(outcome.out);
  EXPECT_TRUE(kx::test::WaitFor([&] { return ProcessEnded(sleeper); }, 10s));
}

TEST(RunConverter, StopsAProgramThatWritesTooMuch) {
  const ProcessOutcome outcome = RunConverter({"yes"}, ProcessLimits{20s, 1 << 20});
  EXPECT_EQ(outcome.end, ProcessEnd::kTooMuchOutput);
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
}  // namespace office
