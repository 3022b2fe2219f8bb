// Exchange and ExchangeOnAllAdapters.
#include "landap/exchange.h"

namespace yov {

bool NextAttempt(RetryState& state, bool retry, uint16_t status_received, int random) {
  if (!retry || status_received == kStatusNoRetry) return false;
  --state.attempts_left;
  state.timeout_ms += static_cast<uint32_t>(random % 300 + 200);
  return state.attempts_left >= 0;
}

namespace {

// Steps of one adapter: send, collect, decide. Returns the last count; `arrived` is set when
// any bytes came in.
int AttemptLoop(Env& env, CBCModule& bc, const ExchangeRequest& request, RetryState& state,
                std::vector<uint8_t>& area, bool& arrived) {
  int count = 0;
  for (;;) {
    bc.Send(request.datagram, 0, request.port);
    // Each attempt reads only what it received: no bytes of an earlier reply linger.
    std::fill(area.begin(), area.end(), 0);
    count = bc.Collect(state.timeout_ms, area.data(), area.size(), nullptr, nullptr);
    if (count > 0) arrived = true;
    if (count == static_cast<int>(request.expected)) return count;
    uint16_t status = count >= 18 ? GetU16(Bytes(area), 16) : 0;
    if (!NextAttempt(state, request.retry, status, env.Random())) return count;
  }
}

}  // namespace

int Exchange(Env& env, Ipv4 interface_address, const ExchangeRequest& request,
             std::vector<uint8_t>& reply) {
  std::vector<uint8_t> area(std::max<size_t>(request.expected, kHeaderSize), 0);
  CBCModule bc(env);
  bool arrived = false;
  int count = 0;
  RetryState state{kRetryAttempts, request.timeout_ms};
  if (bc.Open(interface_address, 0, false) == 0)
    count = AttemptLoop(env, bc, request, state, area, arrived);
  bc.Close();
  if (arrived) reply.assign(area.begin(), area.begin() + request.expected);
  return count;
}

int ExchangeOnAllAdapters(Env& env, const ExchangeRequest& request, std::vector<uint8_t>& reply) {
  CAdapterEnumerator adapters(env);
  adapters.Refresh();
  std::vector<uint8_t> area(std::max<size_t>(request.expected, kHeaderSize), 0);
  RetryState state{kRetryAttempts, request.timeout_ms};
  bool arrived = false;
  int count = 0;
  for (int i = adapters.Count() - 1; i >= 0; --i) {
    Ipv4 address = adapters.Address(i);
    if (address == 0) continue;
    CBCModule bc(env);
    if (bc.Open(address, 0, false) != 0) continue;
    // Once the shared counter is used up, each further adapter still gets its one send.
    count = AttemptLoop(env, bc, request, state, area, arrived);
    bc.Close();
    if (count == static_cast<int>(request.expected)) break;
  }
  if (arrived) reply.assign(area.begin(), area.begin() + request.expected);
  return count;
}

}  // namespace yov
