// The state of a control's search, shared by the host's thread and the search's worker:
//   stop requested  set at creation, by Abort and by the control's destruction; cleared by Begin
//   search active   set by Begin, cleared by the worker when it has finished
//   search time     the start tick while a search runs, its duration in milliseconds afterwards
// Each is a single value that one side writes and the other polls. Waiting for the worker's end and the
// walk's pause after each entry wait on a condition rather than sleeping in steps, so that Abort returns
// as soon as the worker has stopped and a stop request ends a pause at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace zarn {

class SearchState {
 public:
  bool StopRequested() const { return stop_requested_.load(std::memory_order_acquire); }
  void RequestStop();
  void ClearStopRequest() { stop_requested_.store(false, std::memory_order_release); }

  bool Active() const { return active_.load(std::memory_order_acquire); }

  // Begin: records the start tick and marks the search active.
  void MarkStarted(std::uint32_t start_tick);
  // The worker's end: records the duration unless Abort already did, then clears search active and wakes
  // whoever waits for the end.
  void MarkFinished(std::uint32_t now_tick);
  // Abort during a search: the duration up to now (once per search).
  void TakeDurationNow(std::uint32_t now_tick);

  std::int32_t SearchTime() const { return search_time_.load(std::memory_order_acquire); }

  // Waits until search active is clear or `limit` has passed; true when the search is no longer active.
  bool WaitUntilInactive(std::chrono::milliseconds limit);
  // Waits `limit` or until a stop is requested, whichever comes first.
  void PauseUnlessStopped(std::chrono::milliseconds limit);

  // Begin starts the worker before it tells the host that the search started; the worker waits until
  // Begin releases it (or a stop is requested, for example by a host that aborts from that very event).
  void ReleaseWorker();
  // True when released, false when a stop was requested first.
  bool WaitForRelease();

  // Full name of the file into which Office documents are converted; written by Begin before the worker
  // starts, read by the worker.
  std::string TemporaryTextFile() const;
  void SetTemporaryTextFile(std::string path);

 private:
  static std::int32_t Duration(std::int32_t start_tick, std::uint32_t now_tick);

  std::atomic<bool> stop_requested_{true};
  std::atomic<bool> active_{false};
  std::atomic<std::int32_t> search_time_{0};
  std::atomic<bool> duration_taken_{true};
  bool released_ = false;  // guarded by mutex_

  mutable std::mutex mutex_;  // guards the waits and the temporary text file
  std::condition_variable changed_;
  std::string temporary_text_file_;
};

}  // namespace zarn
