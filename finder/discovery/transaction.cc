// Transact: the common request pattern with the reply checks left to the caller.
#include "discovery/transaction.h"

namespace yov {

Transaction Transact(CLANDAPObj& camera, uint16_t command, uint16_t sequence,
                     size_t payload_length, Bytes fields, size_t expected, bool retry,
                     uint16_t port) {
  std::vector<uint8_t> request = camera.BuildRequest(command, sequence, payload_length, fields);
  Transaction t;
  t.sequence = sequence;
  ExchangeRequest x{request, std::max(expected, kHeaderSize), retry, port, kFirstTimeoutMs};
  t.count = Exchange(camera.env(), camera.interface_address(), x, t.datagram);
  return t;
}

bool IsOwnReply(const Transaction& t, const CLANDAPObj& camera) {
  if (t.none() || t.count < static_cast<int>(kHeaderSize)) return false;
  LandapHeader h = t.header();
  return h.sequence == t.sequence && h.target_mac == camera.mac();
}

bool IsMatched(const Transaction& t, const CLANDAPObj& camera) {
  return IsOwnReply(t, camera) && t.count == static_cast<int>(t.datagram.size());
}

}  // namespace yov
