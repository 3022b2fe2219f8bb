// CmdGetWpsPin and the association state (CmdWirelessStatus tried on every adapter).
#include "discovery/camera_ops.h"
#include "discovery/record_checks.h"
#include "landap/result_payload.h"
#include "landap/wireless_status_payload.h"

namespace yov {
namespace {

constexpr size_t kAssociationReply = 22 + kAssociationSize;  // 66

}  // namespace

int GetWpsPin(CLANDAPObj& camera, uint16_t sequence, std::string& pin) {
  auto reply = ReadCommand(camera, CmdGetWpsPin, sequence, kResultReplySize, kWpsPinPayloadSize);
  auto text = reply ? DecodeWpsPin(reply->body()) : std::nullopt;
  if (!text || text->empty()) return kOpFailed;
  pin = *text;
  return kOpOk;
}

int GetAssociation(CLANDAPObj& camera, uint16_t sequence, _YOVWirelessAssociatedStatus& out,
                   unsigned long& size) {
  if (!FitsRecord<_YOVWirelessAssociatedStatus>(size)) return kOpSmallBuffer;
  // A 4-byte answer (the WPS capability form) is not this query's reply.
  auto reply = camera.CommandOnAllAdapters(CmdWirelessStatus, sequence, kCredentialBlockSize, {},
                                           kAssociationReply);
  if (!reply || !reply->complete() || reply->header.status != kStatusOk) return kOpFailed;
  auto state = DecodeAssociationState(reply->body());
  if (!state) return kOpFailed;
  FillAssociationRecord(*state, out);
  return kOpOk;
}

}  // namespace yov
