// The choice of WPS method, the older method and the WPS worker.
#include "discovery/camera_wps.h"

#include <algorithm>
#include <cstring>

#include "discovery/camera_ops.h"
#include "discovery/lan_cam_finder.h"
#include "landap/result_payload.h"

namespace yov {
namespace {

constexpr size_t kWpsStartPayload = 140;   // credentials, mode at 128, PIN text at 129
constexpr size_t kWpsResultPayload = 132;  // credentials, session number at 128
constexpr size_t kWpsPinFieldMax = 10;     // characters that fit with their NUL
constexpr size_t kMinPinLength = 8;
constexpr uint32_t kWpsStillRunning = 2;

bool ListsSecureWps(CLANDAPMgr& manager, CLANDAPObj& camera) {
  uint16_t codes[kWpsOptionListSize] = {};
  int count = static_cast<int>(kWpsOptionListSize);
  if (GetOptionCodes(camera, manager.NextSequence(), codes, count) != kOpOk) return false;
  return std::find(codes, codes + count, CmdWirelessStatus) != codes + count;
}

// A 38-byte result reply with a 16-byte payload, or nullopt.
std::optional<CommandReply> ResultReply(std::optional<CommandReply> reply) {
  if (!reply || !reply->complete() || reply->header.payload_length != kResultPayloadSize)
    return std::nullopt;
  return reply;
}

}  // namespace

int OlderWps(CLANDAPMgr& manager, CLANDAPObj& camera, int mode, const std::string& pin) {
  if (mode == kWpsModePin && pin.size() < kMinPinLength) return kOpInvalid;
  uint32_t& session = camera.sessions().wps_session;
  // A session of an earlier start must not stand in for this one if the camera refuses it.
  session = 0;
  std::vector<uint8_t> fields(kWpsStartPayload - kCredentialBlockSize, 0);
  fields[0] = static_cast<uint8_t>(mode);
  if (mode == kWpsModePin)
    std::copy_n(pin.begin(), std::min(pin.size(), kWpsPinFieldMax), fields.begin() + 1);
  auto start = ResultReply(camera.Command(CmdWpsStart, manager.NextSequence(), kWpsStartPayload,
                                          fields, kResultReplySize, false));
  if (start && start->header.status == kStatusOk)
    session = DecodeResultPayload(start->payload())->session;

  if (session == 0) return kOpInvalid;
  uint8_t number[4];
  PutU32(number, 0, session);
  auto poll = ResultReply(camera.Command(CmdWpsResult, manager.NextSequence(), kWpsResultPayload,
                                         number, kResultReplySize, false));
  if (!poll) return kOpFailed;
  _YOVFinderResult triple{};
  int r = DecodeSetReply(poll->header.status, poll->header.payload_length, poll->payload(), triple);
  if (r != kOpOk) return r;
  if (static_cast<uint32_t>(triple.Value) == kWpsStillRunning) {
    camera.env().SleepMs(kWpsPollPauseMs);
    return kOpNotReady;
  }
  if (triple.Value == 0) session = 0;
  return kOpOk;
}

int RunWps(CLANDAPMgr& manager, int index, int mode, const std::string& pin) {
  CLANDAPObj* camera = manager.LandapCamera(index);
  if (!camera) return kOpFailed;
  if (ListsSecureWps(manager, *camera)) return SecureWps(manager, *camera, mode);
  return OlderWps(manager, *camera, mode, pin);
}

int WpsDoneCode(int result) {
  switch (result) {
    case kOpOk: return YOV_OK;
    case kOpInvalid: return YOV_E_INVALID;
    case kOpSmallBuffer: return YOV_E_SMALL_BUFFER;
    case kOpModeUnsupported: return YOV_E_CAP_SMALL;
    case kOpTimedOut: return YOV_E_NOT_FOUND;
    default: return YOV_E_FAILED;
  }
}

int CameraWps(CLANCamFinder& finder, int index, int mode, const char* pin, bool background) {
  if (mode != kWpsModePin && mode != kWpsModePushButton) return YOV_E_INVALID;
  WorkerSlot& worker = finder.wps_worker();
  if (!worker.WaitIdle(kWorkerBusyWaitMs)) return YOV_E_BUSY;
  std::string text = pin ? pin : "";
  if (!background) return RunWps(finder.manager(), index, mode, text) == kOpOk ? 0 : YOV_E_FAILED;
  if (!finder.SinkAlive()) return YOV_E_INVALID;
  text.resize(std::min(text.size(), kWpsWorkerPinMax));
  bool started = worker.Start([&finder, index, mode, text] {
    int result = RunWps(finder.manager(), index, mode, text);
    finder.Post(YOV_NOTIFY_WPS_DONE, WpsDoneCode(result));
  });
  return started ? 0 : YOV_E_FAILED;
}

}  // namespace yov
