// Exports of the host-side helpers and the polls of the camera's network change.
#include "api/frame.h"
#include "api/sized_text.h"
#include "discovery/host_helpers.h"

using namespace yov;

namespace {

// A helper's text result: -7 with *size 0 when nothing was found.
int TextResult(int result, const std::string& text, char* buffer, short* size) {
  if (result == kOpNotReady) {
    *size = 0;
    return YOV_E_NOT_FOUND;
  }
  if (result != kOpOk) return YOV_E_FAILED;
  return PutSizedText(text, buffer, size);
}

int Pppoe(YOVFinderHandle h, int index, int* out, uint16_t command) {
  if (!out) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    CLANDAPMgr& manager = FinderOf(h)->manager();
    int r = manager.Run(index, [&](CLANDAPObj& camera, uint16_t) {
      return QueryPppoe(manager, camera, command, *out);
    });
    return r == kOpOk ? YOV_OK : r == kOpTimedOut ? YOV_E_NOT_FOUND : YOV_E_FAILED;
  });
}

}  // namespace

extern "C" {

YOV_EXPORT int YOVGetThruInterface(YOVFinderHandle h, int index, _YOVThruInterface* out) {
  if (!out) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    return GetThruInterface(FinderOf(h)->manager(), index, *out) == kOpOk ? YOV_OK : YOV_E_FAILED;
  });
}

YOV_EXPORT int YOVDHCPDiscover(YOVFinderHandle h, int index, char* buffer, short* size) {
  if (!buffer || !size) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    std::string server;
    int r = DiscoverDhcpServer(FinderOf(h)->manager(), index, server);
    return TextResult(r, server, buffer, size);
  });
}

YOV_EXPORT int YOVGetFreeIP(YOVFinderHandle h, int index, char* buffer, short* size) {
  if (!buffer || !size) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    std::string address;
    int r = FindFreeIp(FinderOf(h)->manager(), ArpProber::Default(), index, address);
    return TextResult(r, address, buffer, size);
  });
}

YOV_EXPORT int YOVQueryNetworkStatus(YOVFinderHandle h, int index, _YOVCamNetworkStatus* status) {
  if (!status) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&]() -> int {
    return MapGetter(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) {
      return QueryNetworkStatus(camera, sequence, *status);
    }));
  });
}

YOV_EXPORT int YOVQueryPPPoEAvailable(YOVFinderHandle h, int index, int* out) {
  return Pppoe(h, index, out, CmdPppoeAvailable);
}

YOV_EXPORT int YOVQueryPPPoEDone(YOVFinderHandle h, int index, int* out) {
  return Pppoe(h, index, out, CmdPppoeDone);
}

}  // extern "C"
