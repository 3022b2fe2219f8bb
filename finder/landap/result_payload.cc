// Packing of result payloads and the status rule of set-type replies.
#include "landap/result_payload.h"

#include "landap/landap_header.h"

namespace yov {
namespace {

constexpr size_t kErrorAt = 0, kValueAt = 4, kWaitAt = 8, kSessionAt = 12;

uint32_t WordOrZero(Bytes p, size_t at) { return p.size() >= at + 4 ? GetU32(p, at) : 0; }

}  // namespace

std::array<uint8_t, kResultPayloadSize> EncodeResultPayload(const ResultPayload& r) {
  std::array<uint8_t, kResultPayloadSize> out{};
  PutU32(out, kErrorAt, r.error);
  PutU32(out, kValueAt, r.value);
  PutU32(out, kWaitAt, r.wait_ms);
  PutU32(out, kSessionAt, r.session);
  return out;
}

std::array<uint8_t, kResultWordSize> EncodeResultWord(uint32_t word) {
  std::array<uint8_t, kResultWordSize> out{};
  PutU32(out, 0, word);
  return out;
}

std::optional<ResultPayload> DecodeResultPayload(Bytes p) {
  if (p.size() < kResultPayloadSize) return std::nullopt;
  return ResultPayload{GetU32(p, kErrorAt), GetU32(p, kValueAt), GetU32(p, kWaitAt),
                       GetU32(p, kSessionAt)};
}

SetReplyResult DecodeSetReply(uint16_t status, uint16_t payload_length, Bytes payload,
                              _YOVFinderResult& triple) {
  const bool full = payload_length == kResultPayloadSize;
  const bool word = payload_length == kResultWordSize;
  if (status == kStatusAuthRefused) return kReplyAuthRefused;
  if (status != kStatusOk) {
    triple.ErrorCode = full || word ? static_cast<int32_t>(WordOrZero(payload, kErrorAt)) : 0;
    triple.Value = 0;
    triple.WaitTime = 0;
    return kReplyRefused;
  }
  triple.ErrorCode = 0;
  triple.Value = full ? static_cast<int32_t>(WordOrZero(payload, kValueAt))
                 : word ? static_cast<int32_t>(WordOrZero(payload, kErrorAt))
                        : 0;
  triple.WaitTime = full ? WordOrZero(payload, kWaitAt) : 0;
  return kReplyAccepted;
}

}  // namespace yov
