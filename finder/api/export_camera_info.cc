// Exports that read the camera record and its address settings.
#include "api/frame.h"

using namespace yov;

namespace {

constexpr unsigned long kCamSettingsSize = sizeof(_YOVCamSettings);

CLANDAPObj* LandapCamera(YOVFinderHandle h, int index) {
  return dynamic_cast<CLANDAPObj*>(FinderOf(h)->manager().Camera(index));
}

// Fills the record from the cached payload the record's version asks for.
int FillRecord(CLANDAPObj& camera, _YOVCamSettings& info, bool remote) {
  if (remote) {
    if (!camera.remote_info()) return -1;
    FillCamSettingsV2(*camera.remote_info(), info);
  } else {
    if (!camera.info()) return -1;
    FillCamSettingsV1(*camera.info(), info);
  }
  return 0;
}

}  // namespace

extern "C" {

YOV_EXPORT int YOVGetCameraInfo(YOVFinderHandle h, int index, _YOVCamSettings* info,
                                unsigned long* size) {
  if (!size) return -3;
  if (!h) return -1;
  return Guard<>(-1, [&] {
    if (!FinderOf(h)->manager().Refresh(index)) return -1;
    CLANDAPObj* camera = LandapCamera(h, index);
    if (!camera) return -1;
    if (!info || *size < kCamSettingsSize) {
      *size = kCamSettingsSize;
      return -4;
    }
    return FillRecord(*camera, *info, false);
  });
}

YOV_EXPORT int YOVGetCameraInfoL(YOVFinderHandle h, int index, _YOVCamSettings* info,
                                 unsigned long* size) {
  if (!info || !size) return -3;
  if (!h) return -1;
  CLANDAPObj* camera = LandapCamera(h, index);
  if (!camera) return -1;
  if (*size < kCamSettingsSize) {
    *size = kCamSettingsSize;
    return -4;
  }
  return FillRecord(*camera, *info, info->Version == 2);
}

YOV_EXPORT int YOVGetCameraNetwork(YOVFinderHandle h, int index, _YOVCamNetwork* network) {
  if (!network) return -3;
  if (!h) return -1;
  return Guard<>(-1, [&] {
    CLANDAPMgr& manager = FinderOf(h)->manager();
    CameraNetwork n;
    if (!manager.Refresh(index) || !manager.GetNetwork(index, n)) return -1;
    network->DhcpEnabled = n.dhcp ? 1 : 0;
    PutAddressText(network->IpAddress, n.address);
    PutAddressText(network->SubnetMask, n.mask);
    PutAddressText(network->Gateway, n.gateway);
    PutAddressText(network->PrimaryDns, n.dns1);
    PutAddressText(network->SecondaryDns, n.dns2);
    return 0;
  });
}

}  // extern "C"
