// Exports of the option codes, the site survey, the WPS PIN and the association state.
#include "api/camera_frame.h"
#include "api/text_codec.h"

using namespace yov;

namespace {

constexpr int kMinPinBuffer = 9;  // eight digits and a NUL

}  // namespace

extern "C" {

YOV_EXPORT int YOVGetLANDAPOptionCmd(YOVFinderHandle h, int index, unsigned short* codes,
                                     int* count) {
  if (!codes || !count) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return MapGetter(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
      return GetOptionCodes(camera, sequence, codes, *count);
    }));
  });
}

YOV_EXPORT int YOVInitWirelessSiteSurvey(YOVFinderHandle h, int index, _YOVFinderResult* result,
                                         int background) {
  return RunSetExport(h, index, result, background, [](CLANDAPObj& camera, uint16_t sequence) {
    return CredentialOnlyCommand(camera, CmdStartSiteSurvey, sequence);
  });
}

YOV_EXPORT int YOVGetWirelessSiteSurInfo(YOVFinderHandle h, int index,
                                         _YOVSiteSurveyStation* stations, int* count) {
  if (!stations || !count) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return MapGetter(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
      return GetSiteSurvey(camera, sequence, stations, *count);
    }));
  });
}

YOV_EXPORT int YOVGetCameraWPSPIN(YOVFinderHandle h, int index, char* buffer, int size, int) {
  if (!buffer) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return MapGetter(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) -> int {
      if (size < kMinPinBuffer) return kOpSmallBuffer;
      std::string pin;
      if (GetWpsPin(camera, sequence, pin) != kOpOk) return kOpFailed;
      return CopyTextToCaller(AnsiToWide(pin), buffer, size);
    }));
  });
}

YOV_EXPORT int YOVGetWirelessAssociatedStatus(YOVFinderHandle h, int index,
                                              _YOVWirelessAssociatedStatus* status,
                                              unsigned long* size) {
  return RunGetter(h, index, status, size, GetAssociation);
}

}  // extern "C"
