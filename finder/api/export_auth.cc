// Exports of the camera credentials: store, verify, change.
#include <optional>

#include "api/camera_frame.h"
#include "api/text_codec.h"

using namespace yov;

namespace {

std::optional<std::wstring> WideOrAbsent(const char* text) {
  if (!text) return std::nullopt;
  return AnsiToWide(text);
}
const std::wstring* PointerTo(const std::optional<std::wstring>& s) { return s ? &*s : nullptr; }

int MapVerifyAuth(int r) {
  switch (r) {
    case kOpOk: return YOV_OK;
    case kOpVerifyValue2: return YOV_E_VALUE2;
    case kOpAuthRefused: return YOV_E_AUTH;
    case kOpVerifyStatus4: return YOV_E_STATUS4;
    default: return YOV_E_FAILED;
  }
}

}  // namespace

extern "C" {

YOV_EXPORT int YOVSetFinderCamAuth(YOVFinderHandle h, int index, const char* user,
                                   const char* password) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    auto u = WideOrAbsent(user), p = WideOrAbsent(password);
    return SetFinderCamAuth(*FinderOf(h), index, PointerTo(u), PointerTo(p)) == kOpOk
               ? YOV_OK
               : YOV_E_FAILED;
  });
}

YOV_EXPORT int YOVFinderVerifyAuth(YOVFinderHandle h, int index) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return MapVerifyAuth(FinderOf(h)->manager().Run(
        index, [](CLANDAPObj& camera, uint16_t sequence) { return camera.VerifyAuth(sequence); }));
  });
}

YOV_EXPORT int YOVChangeAdminPassword(YOVFinderHandle h, int index, const char* user,
                                      const char* password, _YOVFinderResult* result,
                                      int background) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    CLANCamFinder& finder = *FinderOf(h);
    auto u = WideOrAbsent(user), p = WideOrAbsent(password);
    int r = ChangeAdminPassword(finder, index, PointerTo(u), PointerTo(p));
    return FinishSet(finder, index, r, result, background);
  });
}

}  // extern "C"
