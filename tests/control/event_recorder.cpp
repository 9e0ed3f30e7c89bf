#include "tests/control/event_recorder.h"

#include <algorithm>
#include <thread>

namespace zarn::test {

bool EventRecorder::Saw(const std::string& event) const {
  return std::find(events_.begin(), events_.end(), event) != events_.end();
}

bool PumpUntil(const std::function<bool()>& condition) {
  return kx::test::WaitFor(condition, std::chrono::seconds(30), [] {
    win::DispatchPendingMessages();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  });
}

void PumpPending() {
  while (win::DispatchPendingMessages() > 0) {
  }
}

}  // namespace zarn::test
