// A thread that runs tasks handed to it one at a time, each to completion before Run returns, so a
// test can act as a second thread step by step (for example to own windows and a message queue).
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kx::test {

class WorkerThread {
 public:
  WorkerThread() : thread_([this] { Serve(); }) {}
  ~WorkerThread() {
    Run({});
    thread_.join();
  }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs `task` on the worker and waits for it to finish. An empty task ends the worker.
  void Run(std::function<void()> task) {
    std::unique_lock lock(mutex_);
    task_ = std::move(task);
    pending_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !pending_; });
  }

 private:
  void Serve() {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return pending_; });
      std::function<void()> task = std::move(task_);
      const bool last = !task;
      lock.unlock();
      if (task) task();
      task = nullptr;
      lock.lock();
      pending_ = false;
      changed_.notify_all();
      if (last) return;
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> task_;
  bool pending_ = false;
  std::thread thread_;  // last: starts after the members above exist
};

}  // namespace kx::test
