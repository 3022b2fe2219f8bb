// The CmdNetworkStatus reply (20 bytes): how the camera's network change is going.
#pragma once

#include <array>
#include <optional>

#include "landap/byte_codec.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kNetworkStatusSize = 20;

struct NetworkStatus {
  uint32_t value = 0;    // 0: not interpreted
  Ipv4 address1 = 0;     // 4
  uint32_t state = 0;    // 8: 1 in progress, 3 failed, other finished
  Ipv4 address2 = 0;     // 12: after a PPPoE set-up, the camera's address
  uint32_t fail_reason = 0;  // 16
};

std::array<uint8_t, kNetworkStatusSize> EncodeNetworkStatus(const NetworkStatus& s);
std::optional<NetworkStatus> DecodeNetworkStatus(Bytes payload);  // at least 20 bytes
void FillNetworkStatusRecord(const NetworkStatus& s, _YOVCamNetworkStatus& out);

}  // namespace yov
