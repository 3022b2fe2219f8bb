// Exports that write the camera's settings block and clock, and restart or reset it.
#include "api/camera_frame.h"

using namespace yov;

extern "C" {

YOV_EXPORT int YOVSetCameraInfo(YOVFinderHandle h, int index, const _YOVCamSettings* info,
                                int /*size: the record's own Size counts*/,
                                _YOVFinderResult* result, int background) {
  if (!info) return YOV_E_INVALID;
  return RunSetExport(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return SetCameraInfo(camera, sequence, *info);
  });
}

YOV_EXPORT int YOVSetCameraNetwork(YOVFinderHandle h, int index, const _YOVCamNetwork* network,
                                   int, int) {
  if (!network) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    CameraNetwork n = NetworkFromRecord(*network);
    return MapSetter(FinderOf(h)->manager().Run(
        index, [&](CLANDAPObj& camera, uint16_t sequence) { return camera.SetNetwork(n, sequence); }));
  });
}

YOV_EXPORT int YOVGetCameraDatetime(YOVFinderHandle h, int index, _YOVCamDatetime* datetime,
                                    unsigned long* size) {
  return RunGetter(h, index, datetime, size, GetCameraDatetime);
}

YOV_EXPORT int YOVSetCameraDatetime(YOVFinderHandle h, int index, const _YOVCamDatetime* datetime,
                                    int /*size: not checked*/, _YOVFinderResult* result,
                                    int background) {
  if (!datetime) return YOV_E_INVALID;
  return RunSetExport(h, index, result, background, [&](CLANDAPObj& camera, uint16_t sequence) {
    return SetCameraDatetime(camera, sequence, *datetime);
  });
}

YOV_EXPORT int YOVResetCamera(YOVFinderHandle h, int index, _YOVFinderResult* result,
                              int background) {
  return RunSetExport(h, index, result, background, [](CLANDAPObj& camera, uint16_t sequence) {
    return CredentialOnlyCommand(camera, CmdRestart, sequence);
  });
}

YOV_EXPORT int YOVFactoryResetCamera(YOVFinderHandle h, int index, _YOVFinderResult* result,
                                     int background) {
  return RunSetExport(h, index, result, background, [](CLANDAPObj& camera, uint16_t sequence) {
    return CredentialOnlyCommand(camera, CmdFactoryReset, sequence);
  });
}

YOV_EXPORT int YOVCommitSettings(YOVFinderHandle h, int index, _YOVFinderResult* result,
                                 int background) {
  return RunSetExport(h, index, result, background, [](CLANDAPObj& camera, uint16_t sequence) {
    return CredentialOnlyCommand(camera, CmdCommit, sequence);
  });
}

}  // extern "C"
