#include "platform/win/threads.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <latch>
#include <thread>

#include "tests/support/temp_folder.h"

namespace {

using kx::test::WaitFor;

int PolicyOf(pid_t tid) {
  return sched_getscheduler(tid);
}

int NiceOf(pid_t tid) {
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  EXPECT_EQ(errno, 0);
  return nice;
}

bool ThreadHasEnded(pid_t tid) {
  return syscall(SYS_tgkill, getpid(), tid, 0) != 0 && errno == ESRCH;
}

// Whether a thread of this process may lower its nice value below 0 (so raise its priority).
bool MayRaisePriority() {
  bool may = false;
  std::thread probe([&] { may = setpriority(PRIO_PROCESS, 0, -1) == 0; });
  probe.join();
  return may;
}

// Takes CAP_SYS_NICE out of the calling thread's effective capabilities (they are per thread), so that
// it is refused what an ordinary user is refused.
void DropNiceCapabilityOfThisThread() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  ASSERT_EQ(syscall(SYS_capget, &header, data), 0);
  data[CAP_TO_INDEX(CAP_SYS_NICE)].effective &= ~CAP_TO_MASK(CAP_SYS_NICE);
  ASSERT_EQ(syscall(SYS_capset, &header, data), 0);
}

// Lowers the process's nice limit to 0 for the lifetime of the object (so no nice value below 0 is
// allowed without the capability).
class ScopedNoNiceLimit {
 public:
  ScopedNoNiceLimit() {
    EXPECT_EQ(getrlimit(RLIMIT_NICE, &previous_), 0);
    rlimit none = previous_;
    none.rlim_cur = 0;
    EXPECT_EQ(setrlimit(RLIMIT_NICE, &none), 0);
  }
  ~ScopedNoNiceLimit() { EXPECT_EQ(setrlimit(RLIMIT_NICE, &previous_), 0); }

 private:
  rlimit previous_{};
};

// A thread made with CreateThread that waits until the test releases it.
class WaitingThread {
 public:
  WaitingThread() {
    handle_ = win::CreateThread([this] {
      seen_tid_ = gettid();
      release_.wait();
      finished_ = true;
      return 0u;
    });
  }
  ~WaitingThread() {
    Release();
    EXPECT_TRUE(WaitFor([this] { return ThreadHasEnded(tid()); }));
    win::CloseHandle(handle_);
  }
  void Release() {
    if (!released_.exchange(true)) release_.count_down();
  }

  win::HTHREAD handle() const { return handle_; }
  pid_t tid() const { return win::GetThreadId(handle_); }
  std::atomic<pid_t> seen_tid_{0};
  std::atomic<bool> finished_{false};

 private:
  std::latch release_{1};
  std::atomic<bool> released_{false};
  win::HTHREAD handle_ = nullptr;
};

TEST(Threads, IdIsTheKernelIdOfTheNewThreadFromTheStart) {
  WaitingThread thread;
  ASSERT_NE(thread.handle(), nullptr);
  const pid_t tid = thread.tid();  // read before the thread is known to have run
  EXPECT_GT(tid, 0);
  EXPECT_NE(tid, gettid());
  ASSERT_TRUE(WaitFor([&] { return thread.seen_tid_ != 0; }));
  EXPECT_EQ(thread.seen_tid_, tid);
}

TEST(Threads, ThreadRunsOnAfterItsHandleIsClosed) {
  std::latch release(1);
  std::atomic<bool> finished{false};
  std::atomic<int> captured_alive{0};
  auto alive = std::make_shared<int>(1);
  win::HTHREAD thread = win::CreateThread([&, alive] {
    release.wait();
    captured_alive = *alive;
    finished = true;
    return 0u;
  });
  ASSERT_NE(thread, nullptr);
  const pid_t tid = win::GetThreadId(thread);
  EXPECT_TRUE(win::CloseHandle(thread));
  alive.reset();
  release.count_down();
  EXPECT_TRUE(WaitFor([&] { return finished.load(); }));
  EXPECT_EQ(captured_alive, 1);
  EXPECT_TRUE(WaitFor([&] { return ThreadHasEnded(tid); }));
}

// Waiting for a thread answers whether it has exited, at once or within a limit.
TEST(Threads, WaitingForAThreadEndsOnceItHasExited) {
  WaitingThread thread;
  EXPECT_EQ(win::WaitForSingleObject(thread.handle(), 0), win::WAIT_TIMEOUT);
  EXPECT_EQ(win::WaitForSingleObject(thread.handle(), 1), win::WAIT_TIMEOUT);
  thread.Release();
  EXPECT_EQ(win::WaitForSingleObject(thread.handle(), win::INFINITE), win::WAIT_OBJECT_0);
  EXPECT_TRUE(thread.finished_);
  EXPECT_EQ(win::WaitForSingleObject(thread.handle(), 0), win::WAIT_OBJECT_0);
}

TEST(ThreadPriority, MapsToTheKernelsPolicyAndNiceValue) {
  const bool may_raise = MayRaisePriority();
  WaitingThread thread;
  const pid_t tid = thread.tid();
  EXPECT_EQ(win::GetThreadPriority(thread.handle()), win::THREAD_PRIORITY_NORMAL);
  EXPECT_EQ(PolicyOf(tid), SCHED_OTHER);
  EXPECT_EQ(NiceOf(tid), 0);

  struct Step {
    int priority;
    int policy;
    int nice;
  };
  // Lowering comes last: an ordinary user may not raise a thread again.
  const Step steps[] = {
      {win::THREAD_PRIORITY_HIGHEST, SCHED_OTHER, may_raise ? -5 : 0},
      {win::THREAD_PRIORITY_TIME_CRITICAL, SCHED_OTHER, may_raise ? -10 : 0},
      {win::THREAD_PRIORITY_NORMAL, SCHED_OTHER, 0},
      {win::THREAD_PRIORITY_LOWEST, SCHED_OTHER, 10},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.priority);
    EXPECT_TRUE(win::SetThreadPriority(thread.handle(), step.priority));
    EXPECT_EQ(win::GetThreadPriority(thread.handle()), step.priority);
    EXPECT_EQ(PolicyOf(tid), step.policy);
    EXPECT_EQ(NiceOf(tid), step.nice);
  }
  EXPECT_TRUE(win::SetThreadPriority(thread.handle(), win::THREAD_PRIORITY_IDLE));
  EXPECT_EQ(PolicyOf(tid), SCHED_IDLE);
  EXPECT_EQ(win::GetThreadPriority(thread.handle()), win::THREAD_PRIORITY_IDLE);

  if (may_raise) {
    EXPECT_TRUE(win::SetThreadPriority(thread.handle(), win::THREAD_PRIORITY_HIGHEST));
    EXPECT_EQ(PolicyOf(tid), SCHED_OTHER);
    EXPECT_EQ(NiceOf(tid), -5);
  }
}

TEST(ThreadPriority, OtherValuesAreRefusedAndChangeNothing) {
  WaitingThread thread;
  const pid_t tid = thread.tid();
  ASSERT_TRUE(win::SetThreadPriority(thread.handle(), win::THREAD_PRIORITY_LOWEST));
  for (int value : {-16, -3, -1, 1, 3, 14, 16, 100}) {
    EXPECT_FALSE(win::SetThreadPriority(thread.handle(), value)) << value;
    EXPECT_EQ(win::GetThreadPriority(thread.handle()), win::THREAD_PRIORITY_LOWEST);
    EXPECT_EQ(PolicyOf(tid), SCHED_OTHER);
    EXPECT_EQ(NiceOf(tid), 10);
  }
}

TEST(ThreadPriority, RaisingWithoutPermissionLeavesTheThreadNormalAndSucceeds) {
  ScopedNoNiceLimit no_nice_limit;
  WaitingThread thread;
  const pid_t tid = thread.tid();
  std::thread unprivileged([&] {
    DropNiceCapabilityOfThisThread();
    ASSERT_NE(setpriority(PRIO_PROCESS, 0, -1), 0) << "the capability was not dropped";
    for (int priority : {win::THREAD_PRIORITY_HIGHEST, win::THREAD_PRIORITY_TIME_CRITICAL}) {
      EXPECT_TRUE(win::SetThreadPriority(thread.handle(), priority));
      EXPECT_EQ(win::GetThreadPriority(thread.handle()), priority);
      EXPECT_EQ(PolicyOf(tid), SCHED_OTHER);
      EXPECT_EQ(NiceOf(tid), 0);
    }
  });
  unprivileged.join();
}

TEST(ThreadPriority, IsRecordedForAThreadThatHasEnded) {
  std::atomic<bool> finished{false};
  win::HTHREAD thread = win::CreateThread([&] {
    finished = true;
    return 0u;
  });
  ASSERT_NE(thread, nullptr);
  const pid_t tid = win::GetThreadId(thread);
  ASSERT_TRUE(WaitFor([&] { return finished && ThreadHasEnded(tid); }));
  EXPECT_TRUE(win::SetThreadPriority(thread, win::THREAD_PRIORITY_HIGHEST));
  EXPECT_EQ(win::GetThreadPriority(thread), win::THREAD_PRIORITY_HIGHEST);
  EXPECT_FALSE(win::SetThreadPriority(thread, 7));
  EXPECT_EQ(win::GetThreadPriority(thread), win::THREAD_PRIORITY_HIGHEST);
  EXPECT_TRUE(win::CloseHandle(thread));
}

TEST(ThreadPriority, ANewThreadStartsNormalWhateverItsCreator) {
  if (!MayRaisePriority()) GTEST_SKIP() << "an ordinary user cannot raise the new thread back to normal";
  // The creator is a thread of the test's own, so the test thread's scheduling stays untouched.
  std::atomic<int> child_policy{-1}, child_nice{99};
  std::thread creator([&] {
    const sched_param none{};
    ASSERT_EQ(sched_setscheduler(0, SCHED_IDLE, &none), 0);
    ASSERT_EQ(setpriority(PRIO_PROCESS, 0, 10), 0);
    win::HTHREAD child = win::CreateThread([&] {
      const int policy = sched_getscheduler(0);
      child_nice = getpriority(PRIO_PROCESS, 0);
      child_policy = policy;
      return 0u;
    });
    ASSERT_NE(child, nullptr);
    win::CloseHandle(child);
  });
  creator.join();
  ASSERT_TRUE(WaitFor([&] { return child_policy != -1; }));
  EXPECT_EQ(child_policy, SCHED_OTHER);
  EXPECT_EQ(child_nice, 0);
}

}  // namespace
