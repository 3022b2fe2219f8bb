// Packing and unpacking of the search reply payloads.
#include "landap/camera_info_payload.h"

#include <algorithm>

#include "landap/calendar_text.h"

namespace yov {
namespace {

// Offsets inside the 89-byte camera settings block.
constexpr size_t kSetName = 0, kSetIp = 64, kSetPort = 68, kSetFlags = 70, kSetNetOption = 71,
                 kSetMask = 72, kSetGateway = 76, kSetDns1 = 80, kSetDns2 = 84, kSetDhcp = 88;

// Offsets inside the 312-byte camera-information payload.
constexpr size_t kInfoBrand = 0, kInfoText1 = 64, kInfoModel = 128, kInfoText2 = 160,
                 kInfoValue1 = 192, kInfoCaps = 194, kInfoMac = 198, kInfoTime = 293,
                 kInfoValue3 = 309, kInfoValue4 = 311;

// Offsets inside the 304-byte remote-access payload.
constexpr size_t kRemBrand = 0, kRemModel = 64, kRemText2 = 96, kRemRemote2 = 128, kRemMac = 160,
                 kRemName = 166, kRemRemote1 = 230, kRemIp = 294, kRemPort = 298,
                 kRemValue = 300;

void PutMac(MutableBytes out, size_t at, const Mac& m) {
  std::copy(m.begin(), m.end(), out.begin() + at);
}
void GetMac(Bytes in, size_t at, Mac& m) { std::copy(in.begin() + at, in.begin() + at + 6, m.begin()); }

}  // namespace

void EncodeSettingsBlock(const CameraSettingsBlock& s, MutableBytes out) {
  std::fill(out.begin(), out.begin() + kCameraSettingsBlockSize, 0);
  PutText(out, kSetName, s.camera_name);
  PutAddress(out, kSetIp, s.ip_address);
  PutU16(out, kSetPort, s.http_port);
  out[kSetFlags] = s.flags;
  out[kSetNetOption] = s.net_option;
  PutAddress(out, kSetMask, s.subnet_mask);
  PutAddress(out, kSetGateway, s.gateway);
  PutAddress(out, kSetDns1, s.primary_dns);
  PutAddress(out, kSetDns2, s.secondary_dns);
  out[kSetDhcp] = s.dhcp;
}

CameraSettingsBlock DecodeSettingsBlock(Bytes in) {
  CameraSettingsBlock s;
  GetText(in, kSetName, s.camera_name);
  s.ip_address = GetAddress(in, kSetIp);
  s.http_port = GetU16(in, kSetPort);
  s.flags = in[kSetFlags];
  s.net_option = in[kSetNetOption];
  s.subnet_mask = GetAddress(in, kSetMask);
  s.gateway = GetAddress(in, kSetGateway);
  s.primary_dns = GetAddress(in, kSetDns1);
  s.secondary_dns = GetAddress(in, kSetDns2);
  s.dhcp = in[kSetDhcp];
  return s;
}

CameraSettingsBlock SettingsBlockFromRecord(const _YOVCamSettings& in) {
  CameraSettingsBlock s;
  s.camera_name = FromField<64>(in.CameraName);
  s.ip_address = ParseAddressField(in.IpAddress);
  s.http_port = in.HttpPort;
  s.flags = in.Flags;
  s.net_option = in.NetOption;
  s.subnet_mask = ParseAddressField(in.SubnetMask);
  s.gateway = ParseAddressField(in.Gateway);
  s.primary_dns = ParseAddressField(in.PrimaryDns);
  s.secondary_dns = ParseAddressField(in.SecondaryDns);
  // The record carries the camera's DHCP byte as it was read; a wider value still means "on".
  s.dhcp = in.DhcpEnabled > 0xFF ? 1 : static_cast<uint8_t>(in.DhcpEnabled);
  return s;
}

std::array<uint8_t, kCameraInfoSize> EncodeCameraInfo(const CameraInfo& info) {
  std::array<uint8_t, kCameraInfoSize> out{};
  MutableBytes o(out);
  PutText(o, kInfoBrand, info.brand);
  PutText(o, kInfoText1, info.info_text1);
  PutText(o, kInfoModel, info.model);
  PutText(o, kInfoText2, info.info_text2);
  PutU16(o, kInfoValue1, info.info_value1);
  PutU32(o, kInfoCaps, info.capabilities);
  PutMac(o, kInfoMac, info.mac);
  EncodeSettingsBlock(info.settings, o.subspan(kCameraSettingsBlockAt));
  PutText(o, kInfoTime, info.time_digits);
  PutU16(o, kInfoValue3, info.info_value3);
  o[kInfoValue4] = info.info_value4;
  return out;
}

std::optional<CameraInfo> DecodeCameraInfo(Bytes in) {
  if (in.size() != kCameraInfoSize) return std::nullopt;
  CameraInfo info;
  GetText(in, kInfoBrand, info.brand);
  GetText(in, kInfoText1, info.info_text1);
  GetText(in, kInfoModel, info.model);
  GetText(in, kInfoText2, info.info_text2);
  info.info_value1 = GetU16(in, kInfoValue1);
  info.capabilities = GetU32(in, kInfoCaps);
  GetMac(in, kInfoMac, info.mac);
  info.settings = DecodeSettingsBlock(in.subspan(kCameraSettingsBlockAt));
  GetText(in, kInfoTime, info.time_digits);
  info.info_value3 = GetU16(in, kInfoValue3);
  info.info_value4 = in[kInfoValue4];
  return info;
}

std::array<uint8_t, kRemoteInfoSize> EncodeRemoteInfo(const RemoteInfo& info) {
  std::array<uint8_t, kRemoteInfoSize> out{};
  MutableBytes o(out);
  PutText(o, kRemBrand, info.brand);
  PutText(o, kRemModel, info.model);
  PutText(o, kRemText2, info.info_text2);
  PutText(o, kRemRemote2, info.remote_text2);
  PutMac(o, kRemMac, info.mac);
  PutText(o, kRemName, info.camera_name);
  PutText(o, kRemRemote1, info.remote_text1);
  PutAddress(o, kRemIp, info.ip_address);
  PutU16(o, kRemPort, info.http_port);
  PutU16(o, kRemValue, info.remote_value);
  return out;
}

std::optional<RemoteInfo> DecodeRemoteInfo(Bytes in) {
  if (in.size() != kRemoteInfoSize) return std::nullopt;
  RemoteInfo info;
  GetText(in, kRemBrand, info.brand);
  GetText(in, kRemModel, info.model);
  GetText(in, kRemText2, info.info_text2);
  GetText(in, kRemRemote2, info.remote_text2);
  GetMac(in, kRemMac, info.mac);
  GetText(in, kRemName, info.camera_name);
  GetText(in, kRemRemote1, info.remote_text1);
  info.ip_address = GetAddress(in, kRemIp);
  info.http_port = GetU16(in, kRemPort);
  info.remote_value = GetU16(in, kRemValue);
  return info;
}

void FillCamSettingsV1(const CameraInfo& info, _YOVCamSettings& out) {
  const CameraSettingsBlock& s = info.settings;
  out.Version = 1;
  out.Size = sizeof(_YOVCamSettings) - 8;
  out.DhcpEnabled = s.dhcp;
  PutAddressText(out.IpAddress, s.ip_address);
  PutAddressText(out.SubnetMask, s.subnet_mask);
  PutAddressText(out.Gateway, s.gateway);
  PutAddressText(out.PrimaryDns, s.primary_dns);
  PutAddressText(out.SecondaryDns, s.secondary_dns);
  out.NetOption = s.net_option;
  out.Flags = s.flags;
  ToField(out.CameraName, s.camera_name);
  out.HttpPort = s.http_port;
  std::copy(info.mac.begin(), info.mac.end(), out.MacAddress);
  ToField(out.Brand, info.brand);
  ToField(out.InfoText1, info.info_text1);
  ToField(out.Model, info.model);
  ToField(out.InfoText2, info.info_text2);
  out.InfoValue1 = info.info_value1;
  out.Capabilities = info.capabilities;
  ReadDigitTime(info.time_digits.data(), info.time_digits.size(), out.CameraTime);
  out.InfoValue3 = info.info_value3;
  out.InfoValue4 = info.info_value4;
}

void FillCamSettingsV2(const RemoteInfo& info, _YOVCamSettings& out) {
  out.Version = 2;
  out.Size = sizeof(_YOVCamSettings) - 8;
  PutAddressText(out.IpAddress, info.ip_address);
  ToField(out.CameraName, info.camera_name);
  out.HttpPort = info.http_port;
  std::copy(info.mac.begin(), info.mac.end(), out.MacAddress);
  ToField(out.Brand, info.brand);
  ToField(out.Model, info.model);
  ToField(out.InfoText2, info.info_text2);
  ToField(out.RemoteText1, info.remote_text1);
  ToField(out.RemoteText2, info.remote_text2);
  out.RemoteValue = info.remote_value;
}

}  // namespace yov
