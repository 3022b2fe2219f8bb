// CmdGetWireless (settings and capability), CmdSetWireless and the simple wireless pair.
#include "discovery/camera_ops.h"
#include "discovery/record_checks.h"
#include "landap/simple_wireless_payload.h"
#include "landap/wireless_payload.h"

namespace yov {
namespace {

constexpr size_t kWirelessReply = 22 + kWirelessReplySize;                    // 274
constexpr size_t kSetWirelessPayload = kCredentialBlockSize + kWirelessBlockSize;  // 366
constexpr size_t kSimpleReply = 22 + kSimpleWirelessBlockSize;                // 130
constexpr size_t kSetSimplePayload = kCredentialBlockSize + kSimpleWirelessBlockSize;  // 236

// One CmdGetWireless; refreshes the capability cache as a side effect.
std::optional<WirelessBlock> ReadWireless(CLANDAPObj& camera, uint16_t sequence) {
  auto reply = ReadCommand(camera, CmdGetWireless, sequence, kWirelessReply, kWirelessReplySize);
  auto decoded = reply ? DecodeWirelessReply(reply->body()) : std::nullopt;
  if (!decoded) return std::nullopt;
  camera.caches().capability = decoded->second;
  return decoded->first;
}

}  // namespace

int GetWireless(CLANDAPObj& camera, uint16_t sequence, _YOVWireless& out, unsigned long& size) {
  if (!FitsRecord<_YOVWireless>(size)) return kOpSmallBuffer;
  auto block = ReadWireless(camera, sequence);
  if (!block) return kOpFailed;
  FillWirelessRecord(*block, out);
  return kOpOk;
}

int GetWirelessCapability(CLANDAPObj& camera, uint16_t sequence, _YOVWirelessCapability& out,
                          unsigned long& size) {
  if (!FitsRecord<_YOVWirelessCapability>(size)) return kOpSmallBuffer;
  if (!ReadWireless(camera, sequence)) return kOpFailed;
  FillCapabilityRecord(*camera.caches().capability, out);
  return kOpOk;
}

int SetWireless(CLANDAPObj& camera, uint16_t sequence, const _YOVWireless& in, int size) {
  if (!IsValidSetRecord(in, size)) return kOpInvalid;
  auto fields = EncodeWirelessBlock(WirelessBlockFromRecord(in));
  return camera.SetCommand(CmdSetWireless, sequence, kSetWirelessPayload, fields);
}

int GetSimpleWireless(CLANDAPObj& camera, uint16_t sequence, _YOVSimpleWireless& out,
                      unsigned long& size) {
  if (!FitsRecord<_YOVSimpleWireless>(size)) return kOpSmallBuffer;
  auto reply = ReadCommand(camera, CmdGetSimpleWireless, sequence, kSimpleReply);
  auto block = reply ? DecodeSimpleWirelessBlock(reply->body()) : std::nullopt;
  if (!block) return kOpFailed;
  FillSimpleWirelessRecord(*block, out);
  return kOpOk;
}

int SetSimpleWireless(CLANDAPObj& camera, uint16_t sequence, const _YOVSimpleWireless& in,
                      int size) {
  if (!IsValidSetRecord(in, size)) return kOpInvalid;
  auto fields = EncodeSimpleWirelessBlock(SimpleWirelessBlockFromRecord(in));
  return camera.SetCommand(CmdSetSimpleWireless, sequence, kSetSimplePayload, fields);
}

}  // namespace yov
