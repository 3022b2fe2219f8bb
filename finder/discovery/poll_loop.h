// Asking a camera again while it answers "not ready", within a time budget.
#pragma once

#include "discovery/lan_cam_object.h"

namespace yov {

// Outcome of one poll: finished with `result`, or not ready yet.
struct PollStep {
  bool not_ready = false;
  int result = kOpOk;
};

// Repeats `ask` while it is not ready, `pause_ms` apart, until more than `budget_ms` have
// passed since `start` (then -9, timed out).
template <typename Ask>
int PollUntilReady(Env& env, uint32_t start, uint32_t budget_ms, uint32_t pause_ms, Ask&& ask) {
  for (;;) {
    PollStep step = ask();
    if (!step.not_ready) return step.result;
    if (env.TickMs() - start > budget_ms) return kOpTimedOut;
    env.SleepMs(pause_ms);
  }
}

}  // namespace yov
