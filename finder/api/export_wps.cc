// The WPS export.
#include "api/frame.h"
#include "discovery/camera_wps.h"

using namespace yov;

extern "C" {

YOV_EXPORT int YOVCameraWPS(YOVFinderHandle h, int index, int mode, const char* pin,
                            int background) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED,
                 [&] { return CameraWps(*FinderOf(h), index, mode, pin, background != 0); });
}

}  // extern "C"
