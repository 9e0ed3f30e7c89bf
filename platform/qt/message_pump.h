// Delivers the messages of the user-interface thread's message queue (the windows and timers of the
// controls the program hosts) inside Qt's event loop: the queue's wake-up descriptor is watched, and a Qt
// timer is armed for the queue's next due timer, so a relay timer of interval 0 fires as soon as Qt is
// idle and no message waits longer than it must.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace qtplatform {

class MessagePump : public QObject {
  Q_OBJECT

 public:
  // Watches the queue of the calling thread (which must be the thread that runs Qt's event loop).
  explicit MessagePump(QObject* parent = nullptr);

 private:
  void Deliver();
  void ArmTimer();

  QSocketNotifier wakeup_;
  QTimer next_timer_;
};

}  // namespace qtplatform
