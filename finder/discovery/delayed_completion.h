// Short-lived threads that post NotifyDelayedCompletion once a camera's waiting time is over.
#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "landap/env.h"

namespace yov {

class DelayedCompletion {
 public:
  DelayedCompletion() = default;
  DelayedCompletion(const DelayedCompletion&) = delete;
  DelayedCompletion& operator=(const DelayedCompletion&) = delete;
  ~DelayedCompletion() { Close(); }

  // Starts a detached thread that sleeps `wait_ms` and then runs `post`, unless Close() has
  // been called by then. False when the thread cannot start.
  bool Start(Env& env, uint32_t wait_ms, std::function<void()> post);

  // From its return on, no `post` runs or is still running. Does not wait for the sleepers,
  // so a finder can be destroyed while cameras' waiting times are still running.
  void Close();

 private:
  struct Gate {
    std::mutex mutex;
    bool open = true;
  };
  std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};

}  // namespace yov
