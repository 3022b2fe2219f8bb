// The request/reply exchange with one camera: broadcast, wait, resend with growing timeouts.
#pragma once

#include <vector>

#include "landap/adapter_enumerator.h"
#include "landap/bc_module.h"

namespace yov {

constexpr uint32_t kFirstTimeoutMs = 1800;
constexpr int kRetryAttempts = 6;  // resends after the first send

struct ExchangeRequest {
  Bytes datagram;          // header and payload
  size_t expected = 0;     // total reply size
  bool retry = true;
  uint16_t port = kLandapPort;
  uint32_t timeout_ms = kFirstTimeoutMs;
};

// Where a sequence of attempts stands: resends left and the next attempt's timeout.
struct RetryState {
  int attempts_left = kRetryAttempts;
  uint32_t timeout_ms = kFirstTimeoutMs;
};

// After an attempt that did not complete: true to send again, with the timeout grown by
// `random % 300 + 200`. A reply carrying status 4 ends the exchange; so does the last attempt.
bool NextAttempt(RetryState& state, bool retry, uint16_t status_received, int random);

// Runs the exchange from a socket bound to `interface_address`. Returns the byte count of the
// last receive (== expected on success); when anything arrived the reply (expected size, zero
// padded) is left in `reply`.
int Exchange(Env& env, Ipv4 interface_address, const ExchangeRequest& request,
             std::vector<uint8_t>& reply);

// The same tried from every adapter of a fresh snapshot (last to first, skipping address 0),
// sharing one attempts counter and growing timeout; stops at the first full reply.
int ExchangeOnAllAdapters(Env& env, const ExchangeRequest& request, std::vector<uint8_t>& reply);

}  // namespace yov
