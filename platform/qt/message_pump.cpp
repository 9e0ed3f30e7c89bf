#include "platform/qt/message_pump.h"

#include "platform/window/message_queue.h"

namespace qtplatform {

MessagePump::MessagePump(QObject* parent)
    : QObject(parent), wakeup_(win::GetQueueWakeDescriptor(), QSocketNotifier::Read) {
  next_timer_.setSingleShot(true);
  connect(&wakeup_, &QSocketNotifier::activated, this, [this] { Deliver(); });
  connect(&next_timer_, &QTimer::timeout, this, [this] { Deliver(); });
  ArmTimer();
}

// Hands every message that is due now to its window, then waits for the next wake-up or timer.
void MessagePump::Deliver() {
  win::ClearQueueWakeup();
  win::DispatchPendingMessages();
  ArmTimer();
}

void MessagePump::ArmTimer() {
  const int milliseconds = win::MillisecondsUntilNextTimer();
  if (milliseconds < 0)
    next_timer_.stop();
  else
    next_timer_.start(milliseconds);
}

}  // namespace qtplatform
