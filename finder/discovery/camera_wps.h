// WPS set-up of one camera: the secure method (key agreement, commands 179 to 182) when the
// camera lists option 178, the older method (193, 194) otherwise, and the WPS worker.
#pragma once

#include <string>

#include "discovery/lan_cam_mgr.h"

namespace yov {

class CLANCamFinder;

constexpr int kWpsModePin = 1;
constexpr int kWpsModePushButton = 2;
constexpr uint32_t kWpsBudgetMs = 120000;  // both polls of the secure method, from its start
constexpr uint32_t kWpsPollPauseMs = 100;
constexpr size_t kWpsOptionListSize = 35;
constexpr size_t kWpsWorkerPinMax = 11;  // PIN characters the worker keeps

// The whole procedure for the camera at `index`: 0, or an internal result (-1 failure, 1/2
// refused, -3 no PIN or no session, -7 still running, -8 mode not offered, -9 timed out).
int RunWps(CLANDAPMgr& manager, int index, int mode, const std::string& pin);

// The secure method. In PIN mode a fresh PIN is generated; the caller's is not used.
int SecureWps(CLANDAPMgr& manager, CLANDAPObj& camera, int mode);
// The older method: one start (PIN of at least 8 characters in PIN mode) and one result poll.
int OlderWps(CLANDAPMgr& manager, CLANDAPObj& camera, int mode, const std::string& pin);

// The code NotifyWpsDone carries for a procedure result.
int WpsDoneCode(int result);

// YOVCameraWPS behind the frame: -3 unknown mode, -5 a WPS worker still runs, then either the
// procedure on the caller's thread (0 or -1) or, with `background`, the WPS worker (-3 without
// a live sink, -1 when it cannot start), which posts NotifyWpsDone.
int CameraWps(CLANCamFinder& finder, int index, int mode, const char* pin, bool background);

}  // namespace yov
