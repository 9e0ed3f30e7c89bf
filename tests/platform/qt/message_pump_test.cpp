// The control's window messages delivered inside Qt's event loop: a timer of interval 0 set from another
// thread (as the search worker sets the relay timer) fires on the Qt thread, and so do ordinary timers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <thread>

#include "platform/qt/message_pump.h"
#include "platform/window/message_queue.h"

namespace qtplatform {
namespace {

bool ProcessEventsUntil(const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return condition();
}

TEST(MessagePump, TimersSetFromAnotherThreadFireInQtsEventLoop) {
  MessagePump pump;
  std::vector<win::WPARAM> fired;
  const auto thread_id = std::this_thread::get_id();
  bool on_qt_thread = true;
  const win::HWND window =
      win::CreateWindow([&](win::HWND hwnd, win::UINT message, win::WPARAM id, win::LPARAM) {
        if (message != win::WM_TIMER) return win::LRESULT{0};
        fired.push_back(id);
        on_qt_thread = on_qt_thread && std::this_thread::get_id() == thread_id;
        win::KillTimer(hwnd, id);
        return win::LRESULT{0};
      });
  std::thread worker([window] { win::SetTimer(window, 2, 0); });
  worker.join();
  ASSERT_TRUE(ProcessEventsUntil([&] { return fired.size() == 1; }));
  win::SetTimer(window, 7, 30);
  ASSERT_TRUE(ProcessEventsUntil([&] { return fired.size() == 2; }));
  EXPECT_EQ(fired, (std::vector<win::WPARAM>{2, 7}));
  EXPECT_TRUE(on_qt_thread);
  win::DestroyWindow(window);
}

}  // namespace
}  // namespace qtplatform
