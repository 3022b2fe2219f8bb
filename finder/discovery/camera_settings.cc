// CmdSetCameraInfo: the whole settings block (YOVSetCameraInfo) or the addresses only.
#include "discovery/camera_ops.h"

namespace yov {
namespace {

constexpr size_t kSetCameraInfoPayload = kCredentialBlockSize + kCameraSettingsBlockSize;  // 217
// YOVSetCameraInfo reads the record only up to HttpPort and its padding.
constexpr uint32_t kMinSettingsSize = offsetof(_YOVCamSettings, MacAddress) - 8;  // 156

int SendSettingsBlock(CLANDAPObj& camera, uint16_t sequence, const CameraSettingsBlock& block) {
  std::array<uint8_t, kCameraSettingsBlockSize> fields{};
  EncodeSettingsBlock(block, fields);
  return camera.SetCommand(CmdSetCameraInfo, sequence, kSetCameraInfoPayload, fields);
}

}  // namespace

int CLANDAPObj::SetNetwork(const CameraNetwork& in, uint16_t sequence) {
  int result = CLANCamObject::SetNetwork(in, sequence);
  if (result != kOpOk) return result;
  CameraSettingsBlock block;  // name, port, Flags and NetOption go out as zero
  block.dhcp = in.dhcp ? 1 : 0;
  block.ip_address = in.address;
  block.subnet_mask = in.mask;
  block.gateway = in.gateway;
  block.primary_dns = in.dns1;
  block.secondary_dns = in.dns2;
  return SendSettingsBlock(*this, sequence, block);
}

CameraNetwork NetworkFromRecord(const _YOVCamNetwork& in) {
  return {in.DhcpEnabled != 0,           ParseAddressField(in.IpAddress),
          ParseAddressField(in.SubnetMask), ParseAddressField(in.Gateway),
          ParseAddressField(in.PrimaryDns), ParseAddressField(in.SecondaryDns)};
}

int SetCameraInfo(CLANDAPObj& camera, uint16_t sequence, const _YOVCamSettings& in) {
  if (in.Version != 1 || in.Size < kMinSettingsSize) return kOpInvalid;
  return SendSettingsBlock(camera, sequence, SettingsBlockFromRecord(in));
}

}  // namespace yov
