// Helpers of the exported frame: the handle, exception containment and result mapping.
#pragma once

#include <utility>

#include "discovery/lan_cam_finder.h"
#include "yovfinder.h"

namespace yov {

inline CLANCamFinder* FinderOf(YOVFinderHandle h) { return static_cast<CLANCamFinder*>(h); }

// Runs `body`; any exception (allocation failure) becomes `on_error`, so none crosses the C
// boundary.
template <typename F>
auto Guard(decltype(std::declval<F>()()) on_error, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return on_error;
  }
}

// Getters: -6 becomes -4, 0 stays, everything else -1.
inline int MapGetter(int r) { return r == kOpSmallBuffer ? YOV_E_SMALL_BUFFER : r == 0 ? 0 : -1; }
// Set-type exports: 0 stays, everything else -1.
inline int MapSetter(int r) { return r == 0 ? 0 : -1; }

}  // namespace yov
