// Commands that carry only the credential block: reads, and the set-type pattern.
#include "discovery/camera_ops.h"
#include "landap/result_payload.h"

namespace yov {

int CLANDAPObj::SetCommand(uint16_t command, uint16_t sequence, size_t payload_length,
                           Bytes fields, uint16_t port) {
  auto reply = Command(command, sequence, payload_length, fields, kResultReplySize, true, port);
  if (!reply) return kOpFailed;
  return DecodeSetReply(reply->header.status, reply->header.payload_length, reply->payload(),
                        result_);
}

std::optional<CommandReply> ReadCommand(CLANDAPObj& camera, uint16_t command, uint16_t sequence,
                                        size_t expected, std::optional<uint16_t> payload_length) {
  auto reply = camera.Command(command, sequence, kCredentialBlockSize, {}, expected, true);
  if (!reply || !reply->complete() || reply->header.status != kStatusOk) return std::nullopt;
  if (payload_length && reply->header.payload_length != *payload_length) return std::nullopt;
  return reply;
}

int CredentialOnlyCommand(CLANDAPObj& camera, uint16_t command, uint16_t sequence) {
  return camera.SetCommand(command, sequence, kCredentialBlockSize, {});
}

}  // namespace yov
