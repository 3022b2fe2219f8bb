// The gate between delayed-completion threads and the finder that started them.
#include "discovery/delayed_completion.h"

#include <system_error>
#include <thread>

namespace yov {

bool DelayedCompletion::Start(Env& env, uint32_t wait_ms, std::function<void()> post) {
  try {
    std::thread([gate = gate_, &env, wait_ms, post = std::move(post)] {
      env.SleepMs(wait_ms);
      // The post runs under the gate's lock, so Close() cannot return while one is running.
      std::lock_guard lock(gate->mutex);
      if (gate->open) post();
    }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void DelayedCompletion::Close() {
  std::lock_guard lock(gate_->mutex);
  gate_->open = false;
}

}  // namespace yov
