// Thread creation and the five thread priorities the system uses, mapped to Linux scheduling:
//   idle          -> SCHED_IDLE
//   lowest        -> a positive nice value
//   normal        -> unchanged (SCHED_OTHER, nice 0)
//   highest,
//   time critical -> negative nice values where the process may raise them; otherwise the thread stays
//                    normal and SetThreadPriority still reports success.
// Without CAP_SYS_NICE (or a large enough RLIMIT_NICE) Linux lets a thread go down but not back up: after
// LOWEST or IDLE, a later NORMAL / HIGHEST is accepted and recorded but the thread stays where it was.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <functional>

namespace win {

inline constexpr int THREAD_PRIORITY_IDLE = -15;
inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

struct ThreadObject;  // a running (or ended) thread
using HTHREAD = ThreadObject*;

// Starts a thread at normal priority running `procedure`. Returns nullptr when the thread cannot be
// created. The thread object lives until the thread has ended and the handle has been closed.
HTHREAD CreateThread(std::function<std::uint32_t()> procedure);

// Sets one of the five priorities above (other values fail). Returns true when the value was accepted,
// also when the operating system would not let the thread rise above normal.
bool SetThreadPriority(HTHREAD thread, int priority);

// The priority last set (THREAD_PRIORITY_NORMAL at creation).
int GetThreadPriority(HTHREAD thread);

// The kernel's id of the thread (a Linux tid), known from the moment CreateThread returns.
pid_t GetThreadId(HTHREAD thread);

inline constexpr std::uint32_t WAIT_OBJECT_0 = 0;
inline constexpr std::uint32_t WAIT_TIMEOUT = 258;
inline constexpr std::uint32_t INFINITE = 0xFFFFFFFF;

// Waits at most `milliseconds` (0: only looks, INFINITE: no limit) until the thread has exited:
// WAIT_OBJECT_0 when it has, WAIT_TIMEOUT otherwise. A thread that has exited runs no code any more, not
// even its start routine's last instructions or the release of what its procedure held, so a library
// whose code it ran may then be unloaded.
std::uint32_t WaitForSingleObject(HTHREAD thread, std::uint32_t milliseconds);

// Releases the handle; the thread runs on if it has not ended.
bool CloseHandle(HTHREAD thread);

}  // namespace win
