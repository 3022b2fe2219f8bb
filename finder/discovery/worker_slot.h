// WorkerSlot: one background thread of a kind (search, WPS, remote-access search).
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace yov {

// How long a new background request waits for the previous worker of its kind to end.
constexpr int kWorkerBusyWaitMs = 50;

class WorkerSlot {
 public:
  ~WorkerSlot() { Join(); }

  // Waits up to `ms` for a running worker to end; true when none runs afterwards.
  bool WaitIdle(int ms) {
    std::unique_lock lock(mutex_);
    return done_cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !running_; });
  }

  // Starts `work` on a new thread; false when one is still running or it cannot start.
  bool Start(std::function<void()> work) {
    {
      std::lock_guard lock(mutex_);
      if (running_) return false;
      running_ = true;
    }
    Join();  // the previous thread has finished its work; reap it
    try {
      thread_ = std::thread([this, work = std::move(work)] {
        work();
        std::lock_guard lock(mutex_);
        running_ = false;
        done_cv_.notify_all();
      });
    } catch (const std::system_error&) {
      std::lock_guard lock(mutex_);
      running_ = false;
      return false;
    }
    return true;
  }

  // Waits without limit for the worker to end.
  void Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
  }

  bool running() {
    std::lock_guard lock(mutex_);
    return running_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool running_ = false;
  std::thread thread_;
};

}  // namespace yov
