// How yovctl reports the outcome of a change: what was changed, or which change failed and why.
#pragma once

#include <string>

#include "cli.h"

namespace yovctl {

// 0: prints what changed (and the camera's settle time); else says why `what` was not changed.
inline int ReportSet(const Cli& cli, const std::string& what, int rc, const _YOVFinderResult& r) {
  if (rc == 0) {
    PrintResult(cli, {{"changed", what}, {"wait_ms", r.WaitTime}, {"value", r.Value}});
    return kExitOk;
  }
  if (r.ErrorCode != 0)
    return Fail(kExitFailed, "the camera refused " + what + " (camera error " +
                                 std::to_string(r.ErrorCode) + ")");
  return Fail(kExitFailed, "the camera did not accept " + what +
                               ": it did not answer, or it refused the credentials "
                               "(check --user/--password or YOV_USER/YOV_PASSWORD)");
}

}  // namespace yovctl
