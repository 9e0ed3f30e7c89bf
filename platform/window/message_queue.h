// Windows, window timers and the per-thread message queue.
//
// Every thread that creates a window (or pumps messages) has one message queue. A window belongs to the
// thread that created it; its messages and timers are delivered only by that thread's pump.
//
// Delivery order, as on Windows: posted messages first, in the order posted; a due timer produces one
// WM_TIMER only when no posted message is waiting (so a timer of interval 0 fires as soon as the queue is
// otherwise idle); WM_QUIT once the posted messages are gone.
//
// SetTimer, KillTimer and PostMessage may be called from any thread. Window handles are never reused and
// never dereferenced by callers, so a call naming a destroyed window fails safely.
#pragma once

#include <cstdint>
#include <functional>

namespace win {

struct HWND__;
using HWND = HWND__*;  // an id, not a pointer to anything
using UINT = unsigned;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_USER = 0x0400;

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;  // WM_TIMER: the timer's id
  LPARAM lParam = 0;
};

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Creates a window owned by the calling thread; its procedure receives the messages dispatched to it.
HWND CreateWindow(WNDPROC procedure);

// Destroys the window: its timers are killed and its waiting messages dropped. Only the owning thread may
// destroy a window; returns false otherwise or when the window does not exist.
bool DestroyWindow(HWND window);

bool IsWindow(HWND window);

// Sets (or resets) timer `id` of `window` to fire every `elapse_ms` milliseconds, the first time
// `elapse_ms` from now. Returns `id` (1 for the timer numbered 0: success is never 0), or 0 when the
// window does not exist.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse_ms);

// Kills timer `id` of `window`; false when there is no such timer.
bool KillTimer(HWND window, UINT_PTR id);

// Appends a message to the queue of the window's thread; false when the window does not exist.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the calling thread's pump to end: GetMessage returns false once the posted messages are gone.
void PostQuitMessage(int exit_code);

// Waits for the next message of the calling thread's queue. Returns false for WM_QUIT (msg->wParam holds
// the exit code), true otherwise.
bool GetMessage(MSG* msg);

// Like GetMessage but does not wait; returns false when nothing is to be delivered now. A pending quit
// request is delivered as WM_QUIT with a true result. With `remove` false the message stays in the queue
// (a due timer stays due).
bool PeekMessage(MSG* msg, bool remove);

// Calls the procedure of the message's window; 0 when the window no longer exists (or belongs to
// another thread: a procedure only ever runs on its window's thread).
LRESULT DispatchMessage(const MSG* msg);

// Hands every message that is deliverable now to DispatchMessage; returns how many were dispatched.
// Stops at WM_QUIT, leaving it for GetMessage. Each timer fires at most once per call, so a 0 ms timer
// does not keep it from returning.
int DispatchPendingMessages();

// For hosts with an event loop of their own (Qt): a descriptor of the calling thread's queue that becomes
// readable whenever a message is posted or a timer of the queue is set or changed, and the number of
// milliseconds until the earliest timer of the queue is due (0 when one is due, -1 when there is none).
// Reading the descriptor is the host's business only through ClearQueueWakeup().
int GetQueueWakeDescriptor();
void ClearQueueWakeup();
int MillisecondsUntilNextTimer();

}  // namespace win
