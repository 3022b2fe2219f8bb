// Encoding and checking of LANDAP headers.
#include "landap/landap_header.h"

#include <algorithm>

namespace yov {

void EncodeHeader(const LandapHeader& h, MutableBytes out) {
  PutU16(out, 0, h.magic);
  PutU16(out, 2, h.sequence);
  PutU16(out, 4, h.command);
  std::copy(h.target_mac.begin(), h.target_mac.end(), out.begin() + 6);
  PutAddress(out, 12, h.camera_address);
  PutU16(out, 16, h.status);
  PutU16(out, 18, h.header_version);
  PutU16(out, 20, h.payload_length);
}

std::optional<LandapHeader> DecodeHeader(Bytes d) {
  if (d.size() < kHeaderSize) return std::nullopt;
  LandapHeader h;
  h.magic = GetU16(d, 0);
  h.sequence = GetU16(d, 2);
  h.command = GetU16(d, 4);
  std::copy(d.begin() + 6, d.begin() + 12, h.target_mac.begin());
  h.camera_address = GetAddress(d, 12);
  h.status = GetU16(d, 16);
  h.header_version = GetU16(d, 18);
  h.payload_length = GetU16(d, 20);
  return h;
}

std::array<uint8_t, kHeaderSize> BuildSearchRequest(uint16_t command, uint16_t sequence) {
  LandapHeader h;
  h.sequence = sequence;
  h.command = command;
  h.target_mac = kBroadcastMac;
  h.status = 0;
  std::array<uint8_t, kHeaderSize> out{};
  EncodeHeader(h, out);
  return out;
}

bool IsValidSearchReply(Bytes d, uint16_t command, uint16_t sequence) {
  auto h = DecodeHeader(d);
  return h && h->payload_length == d.size() - kHeaderSize && h->magic == kReplyMagic &&
         h->command == command && h->header_version == kHeaderVersion &&
         h->sequence == sequence && h->status == kStatusOk;
}

}  // namespace yov
