// The camera-information payload (312 bytes, reply to a search) and the remote-access search
// payload (304 bytes), with their conversions to the exported camera record.
#pragma once

#include <array>
#include <optional>

#include "landap/landap_header.h"
#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kCameraInfoSize = 312;
constexpr size_t kRemoteInfoSize = 304;
constexpr size_t kCameraSettingsBlockAt = 204;  // the block CmdSetCameraInfo sends
constexpr size_t kCameraSettingsBlockSize = 89;

struct CameraSettingsBlock {  // payload bytes 204..292
  Text<64> camera_name{};
  Ipv4 ip_address = 0;
  uint16_t http_port = 0;
  uint8_t flags = 0;
  uint8_t net_option = 0;
  Ipv4 subnet_mask = 0, gateway = 0, primary_dns = 0, secondary_dns = 0;
  uint8_t dhcp = 0;
};

struct CameraInfo {
  Text<64> brand{};
  Text<64> info_text1{};
  Text<32> model{};
  Text<32> info_text2{};
  uint16_t info_value1 = 0;
  uint32_t capabilities = 0;
  Mac mac{};
  CameraSettingsBlock settings;
  Text<14> time_digits{};  // "yyyyMMddhhmmss"
  uint16_t info_value3 = 0;
  uint8_t info_value4 = 0;
};

struct RemoteInfo {
  Text<64> brand{};
  Text<32> model{};
  Text<32> info_text2{};
  Text<32> remote_text2{};
  Mac mac{};
  Text<64> camera_name{};
  Text<64> remote_text1{};
  Ipv4 ip_address = 0;
  uint16_t http_port = 0;
  uint16_t remote_value = 0;
};

void EncodeSettingsBlock(const CameraSettingsBlock& s, MutableBytes out);  // 89 bytes
CameraSettingsBlock DecodeSettingsBlock(Bytes in);                         // 89 bytes
// The block YOVSetCameraInfo sends: DHCP byte, the five addresses, NetOption, Flags, name, port.
CameraSettingsBlock SettingsBlockFromRecord(const _YOVCamSettings& in);

std::array<uint8_t, kCameraInfoSize> EncodeCameraInfo(const CameraInfo& info);
std::optional<CameraInfo> DecodeCameraInfo(Bytes payload);  // exactly 312 bytes
std::array<uint8_t, kRemoteInfoSize> EncodeRemoteInfo(const RemoteInfo& info);
std::optional<RemoteInfo> DecodeRemoteInfo(Bytes payload);  // exactly 304 bytes

// Writes the version-1 fields of the record (head included); other bytes keep their content.
void FillCamSettingsV1(const CameraInfo& info, _YOVCamSettings& out);
// Writes the version-2 fields of the record (head included); other bytes keep their content.
void FillCamSettingsV2(const RemoteInfo& info, _YOVCamSettings& out);

}  // namespace yov
