// Exports of the wireless settings, the simple wireless settings and the capability.
#include "api/camera_frame.h"

using namespace yov;

extern "C" {

YOV_EXPORT int YOVGetWireless(YOVFinderHandle h, int index, _YOVWireless* wireless,
                              unsigned long* size) {
  return RunGetter(h, index, wireless, size, GetWireless);
}

YOV_EXPORT int YOVSetWireless(YOVFinderHandle h, int index, const _YOVWireless* wireless,
                              int size, _YOVFinderResult* result, int background) {
  if (!wireless) return YOV_E_INVALID;
  return RunSetExport(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return SetWireless(camera, sequence, *wireless, size);
  });
}

// The internal result passes unchanged: -6 (not -4) when the buffer is too small.
YOV_EXPORT int YOVGetWirelessCapability(YOVFinderHandle h, int index,
                                        _YOVWirelessCapability* capability,
                                        unsigned long* size) {
  return RunGetter(h, index, capability, size, GetWirelessCapability, [](int r) { return r; });
}

YOV_EXPORT int YOVGetSimpleWireless(YOVFinderHandle h, int index, _YOVSimpleWireless* wireless,
                                    unsigned long* size) {
  return RunGetter(h, index, wireless, size, GetSimpleWireless);
}

YOV_EXPORT int YOVSetSimpleWireless(YOVFinderHandle h, int index,
                                    const _YOVSimpleWireless* wireless, int size,
                                    _YOVFinderResult* result, int background) {
  if (!wireless) return YOV_E_INVALID;
  return RunSetExport(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return SetSimpleWireless(camera, sequence, *wireless, size);
  });
}

}  // extern "C"
