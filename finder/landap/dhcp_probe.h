// The DHCP probe: one 300-byte DHCPDISCOVER from port 68, and who answers it.
#pragma once

#include <array>

#include "landap/env.h"

namespace yov {

constexpr size_t kDhcpProbeSize = 300;
constexpr uint16_t kDhcpClientPort = 68;
constexpr uint16_t kDhcpServerPort = 67;
constexpr uint32_t kDhcpListenMs = 2000;
constexpr size_t kDhcpReceiveSize = 1024;

// BOOTP request, broadcast flag, transaction id 83 78 32 E8, `mac` as client hardware address,
// the magic cookie, option 53 = DHCPDISCOVER and the end option; everything else zero.
std::array<uint8_t, kDhcpProbeSize> BuildDhcpDiscover(const Mac& mac);

// Broadcasts the probe to port 67 from port 68 on the adapter that owns `interface_address`
// and listens until 2 s pass without a datagram. The source of the first datagram from another
// host (its content is not examined), or 0 when none came or the port could not be bound.
Ipv4 ProbeDhcpServer(Env& env, Ipv4 interface_address, const Mac& mac);

}  // namespace yov
