#include "platform/win/ticks.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/temp_folder.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

std::uint32_t TruncatedMilliseconds(steady_clock::time_point time) {
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<milliseconds>(time.time_since_epoch()).count());
}

TEST(Ticks, CountMillisecondsOfTheMonotonicClock) {
  const std::uint32_t before = TruncatedMilliseconds(steady_clock::now());
  const std::uint32_t ticks = win::GetTickCount();
  const std::uint32_t after = TruncatedMilliseconds(steady_clock::now());
  // Unsigned differences stay right across the wrap.
  EXPECT_LE(static_cast<std::uint32_t>(ticks - before), static_cast<std::uint32_t>(after - before));
}

TEST(Ticks, SleepLastsAtLeastTheTimeAsked) {
  const auto start = steady_clock::now();
  win::Sleep(30);
  EXPECT_GE(steady_clock::now() - start, milliseconds(30));
  win::Sleep(0);
}

extern "C" void IgnoreSignal(int) {}

// A signal handler interrupts the sleep again and again; Sleep must still last the whole time.
TEST(Ticks, SleepOutlastsInterruptingSignals) {
  struct sigaction action {};
  action.sa_handler = IgnoreSignal;  // no SA_RESTART: nanosleep returns EINTR
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

  constexpr milliseconds kSleep(200);
  std::atomic<bool> started{false}, done{false};
  steady_clock::duration slept{};
  std::thread sleeper([&] {
    started = true;
    const auto start = steady_clock::now();
    win::Sleep(static_cast<std::uint32_t>(kSleep.count()));
    slept = steady_clock::now() - start;
    done = true;
  });
  const pthread_t target = sleeper.native_handle();
  ASSERT_TRUE(kx::test::WaitFor([&] { return started.load(); }));
  kx::test::WaitFor([&] { return done.load(); }, std::chrono::seconds(20),
                    [&] {
                      pthread_kill(target, SIGUSR1);
                      std::this_thread::yield();
                    });
  sleeper.join();
  EXPECT_GE(slept, kSleep);
  sigaction(SIGUSR1, &previous, nullptr);
}

}  // namespace
