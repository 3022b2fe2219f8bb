// The search reply payloads of a camera, built with the finder's own payload codecs.
#pragma once

#include "camera.h"
#include "landap/camera_info_payload.h"

namespace camsim {

yov::CameraInfo CameraInfoOf(const Camera& camera);  // clock read now
std::array<uint8_t, yov::kCameraInfoSize> CameraInfoPayload(const Camera& camera);
std::array<uint8_t, yov::kRemoteInfoSize> RemoteInfoPayload(const Camera& camera);

}  // namespace camsim
