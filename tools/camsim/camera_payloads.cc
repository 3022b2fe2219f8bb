// Camera state to the 312-byte camera-information and 304-byte remote-access payloads.
#include "camera_payloads.h"

namespace camsim {

yov::CameraInfo CameraInfoOf(const Camera& c) {
  yov::CameraInfo info;
  info.brand = yov::MakeText<64>(c.brand);
  info.info_text1 = yov::MakeText<64>(c.info_text1);
  info.model = yov::MakeText<32>(c.model);
  info.info_text2 = yov::MakeText<32>(c.info_text2);
  info.info_value1 = c.info_value1;
  info.capabilities = c.capabilities;
  info.mac = c.mac;
  info.settings.camera_name = yov::MakeText<64>(c.name);
  info.settings.ip_address = c.ip;
  info.settings.http_port = c.http_port;
  info.settings.flags = c.flags;
  info.settings.net_option = c.net_option;
  info.settings.subnet_mask = c.mask;
  info.settings.gateway = c.gateway;
  info.settings.primary_dns = c.dns1;
  info.settings.secondary_dns = c.dns2;
  info.settings.dhcp = c.dhcp;
  info.time_digits = yov::MakeText<14>(CameraTimeDigits(c));
  info.info_value3 = c.info_value3;
  info.info_value4 = c.info_value4;
  return info;
}

std::array<uint8_t, yov::kCameraInfoSize> CameraInfoPayload(const Camera& c) {
  return yov::EncodeCameraInfo(CameraInfoOf(c));
}

std::array<uint8_t, yov::kRemoteInfoSize> RemoteInfoPayload(const Camera& c) {
  yov::RemoteInfo info;
  info.brand = yov::MakeText<64>(c.brand);
  info.model = yov::MakeText<32>(c.model);
  info.info_text2 = yov::MakeText<32>(c.info_text2);
  info.remote_text2 = yov::MakeText<32>(c.remote_text2);
  info.mac = c.mac;
  info.camera_name = yov::MakeText<64>(c.name);
  info.remote_text1 = yov::MakeText<64>(c.remote_text1);
  info.ip_address = c.ip;
  info.http_port = c.http_port;
  info.remote_value = c.remote_value;
  return yov::EncodeRemoteInfo(info);
}

}  // namespace camsim
