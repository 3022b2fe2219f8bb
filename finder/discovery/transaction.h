// One request/reply exchange of the common pattern whose reply is checked by the caller, for
// operations that must tell "no reply at all" from "a reply to another request".
#pragma once

#include <vector>

#include "discovery/lan_cam_object.h"

namespace yov {

struct Transaction {
  int count = 0;                  // bytes that arrived (0 or less: no reply at all)
  std::vector<uint8_t> datagram;  // the expected size, zero padded; empty when nothing came
  uint16_t sequence = 0;

  bool none() const { return count <= 0 || datagram.size() < kHeaderSize; }
  LandapHeader header() const { return *DecodeHeader(datagram); }
  // Everything behind the header within the expected size.
  Bytes body() const { return Bytes(datagram).subspan(kHeaderSize); }
};

Transaction Transact(CLANDAPObj& camera, uint16_t command, uint16_t sequence,
                     size_t payload_length, Bytes fields, size_t expected, bool retry,
                     uint16_t port);

// The reply carries the request's Sequence and the camera's MAC.
bool IsOwnReply(const Transaction& t, const CLANDAPObj& camera);
// ...and it is complete: the exchange delivered the expected number of bytes.
bool IsMatched(const Transaction& t, const CLANDAPObj& camera);

}  // namespace yov
