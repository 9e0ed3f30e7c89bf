#include "platform/win/thread_priority.h"

#include <sched.h>
#include <sys/resource.h>

#include <cerrno>

#include "platform/win/threads.h"

namespace win::detail {
namespace {

int NiceValueFor(int priority) {
  switch (priority) {
    case THREAD_PRIORITY_LOWEST:
      return 10;
    case THREAD_PRIORITY_HIGHEST:
      return -5;
    case THREAD_PRIORITY_TIME_CRITICAL:
      return -10;
    default:
      return 0;
  }
}

bool NotPermitted(int error) {
  return error == EPERM || error == EACCES;
}

}  // namespace

bool IsThreadPriority(int priority) {
  switch (priority) {
    case THREAD_PRIORITY_IDLE:
    case THREAD_PRIORITY_LOWEST:
    case THREAD_PRIORITY_NORMAL:
    case THREAD_PRIORITY_HIGHEST:
    case THREAD_PRIORITY_TIME_CRITICAL:
      return true;
    default:
      return false;
  }
}

// With a pid, sched_setscheduler and setpriority(PRIO_PROCESS) act on that one thread, not the process.
void ApplyThreadPriority(pid_t tid, int priority) {
  const sched_param no_static_priority{};
  if (priority == THREAD_PRIORITY_IDLE) {
    sched_setscheduler(tid, SCHED_IDLE, &no_static_priority);
    return;
  }
  sched_setscheduler(tid, SCHED_OTHER, &no_static_priority);
  const int nice = NiceValueFor(priority);
  if (setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) != 0 && nice < 0 && NotPermitted(errno))
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid), 0);
}

}  // namespace win::detail
