// Test helpers for the control: an event sink that records what it receives, and pumping the test
// thread's message queue until a condition holds.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/events/zarn_events.h"
#include "platform/window/message_queue.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {

class EventRecorder : public ZarnEvents {
 public:
  void ScanStarted() override { Record("ScanStarted"); }
  void ScanCompleted() override { Record("ScanCompleted"); }
  void OnError(std::int32_t code, const std::string& text) override {
    Record("OnError " + std::to_string(code) + " " + text);
  }

  const std::vector<std::string>& events() const { return events_; }
  bool Saw(const std::string& event) const;
  void Clear() { events_.clear(); }

  // Runs after each recorded event (to call back into the control from a handler).
  std::function<void(const std::string&)> on_event;

 private:
  void Record(const std::string& event) {
    events_.push_back(event);
    if (on_event) on_event(event);
  }
  std::vector<std::string> events_;
};

// Dispatches this thread's messages until `condition` holds (or the deadline passes).
bool PumpUntil(const std::function<bool()>& condition);

// Dispatches whatever this thread's queue can deliver now.
void PumpPending();

}  // namespace zarn::test
