// Network-status payload codec.
#include "landap/network_status_payload.h"

namespace yov {

std::array<uint8_t, kNetworkStatusSize> EncodeNetworkStatus(const NetworkStatus& s) {
  std::array<uint8_t, kNetworkStatusSize> out{};
  PutU32(out, 0, s.value);
  PutAddress(out, 4, s.address1);
  PutU32(out, 8, s.state);
  PutAddress(out, 12, s.address2);
  PutU32(out, 16, s.fail_reason);
  return out;
}

std::optional<NetworkStatus> DecodeNetworkStatus(Bytes in) {
  if (in.size() < kNetworkStatusSize) return std::nullopt;
  return NetworkStatus{GetU32(in, 0), GetAddress(in, 4), GetU32(in, 8), GetAddress(in, 12),
                       GetU32(in, 16)};
}

void FillNetworkStatusRecord(const NetworkStatus& s, _YOVCamNetworkStatus& out) {
  out.StatusValue = s.value;
  PutAddressText(out.StatusAddress1, s.address1);
  out.State = s.state;
  PutAddressText(out.StatusAddress2, s.address2);
  out.FailReason = s.fail_reason;
}

}  // namespace yov
