// DHCP probe packet and exchange.
#include "landap/dhcp_probe.h"

#include <algorithm>
#include <vector>

#include "landap/bc_module.h"

namespace yov {
namespace {

constexpr uint8_t kTransactionId[4] = {0x83, 0x78, 0x32, 0xE8};
constexpr uint8_t kMagicCookie[4] = {99, 130, 83, 99};

}  // namespace

std::array<uint8_t, kDhcpProbeSize> BuildDhcpDiscover(const Mac& mac) {
  std::array<uint8_t, kDhcpProbeSize> p{};
  p[0] = 1;  // op: request
  p[1] = 1;  // hardware type: Ethernet
  p[2] = 6;  // hardware address length
  std::copy(std::begin(kTransactionId), std::end(kTransactionId), p.begin() + 4);
  p[10] = 0x80;  // broadcast flag: the answer must reach a client without an address
  std::copy(mac.begin(), mac.end(), p.begin() + 28);
  std::copy(std::begin(kMagicCookie), std::end(kMagicCookie), p.begin() + 236);
  p[240] = 53;  // message type
  p[241] = 1;
  p[242] = 1;  // DHCPDISCOVER
  p[243] = 255;
  return p;
}

Ipv4 ProbeDhcpServer(Env& env, Ipv4 interface_address, const Mac& mac) {
  auto probe = BuildDhcpDiscover(mac);
  CBCModule bc(env);
  Ipv4 sender = 0;
  if (bc.Open(interface_address, kDhcpClientPort, false) == 0) {
    bc.Send(probe, 0, kDhcpServerPort);
    std::vector<uint8_t> area(kDhcpReceiveSize);
    bc.Collect(kDhcpListenMs, area.data(), area.size(), &sender, nullptr);
  }
  bc.Close();
  return sender;
}

}  // namespace yov
