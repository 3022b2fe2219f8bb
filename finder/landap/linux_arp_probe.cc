// ArpProber on Linux: ARP requests and replies through an AF_PACKET socket on the interface.
#include <arpa/inet.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "landap/arp_probe.h"

namespace yov {
namespace {

constexpr size_t kArpPacketSize = 28;  // Ethernet/IPv4 ARP body

std::array<uint8_t, kArpPacketSize> ArpRequest(const Adapter& from, Ipv4 target) {
  std::array<uint8_t, kArpPacketSize> p{};
  p[0] = 0, p[1] = 1;        // hardware type Ethernet
  p[2] = 0x08, p[3] = 0x00;  // protocol IPv4
  p[4] = 6, p[5] = 4;
  p[6] = 0, p[7] = ARPOP_REQUEST;
  std::copy(from.hardware.begin(), from.hardware.end(), p.begin() + 8);
  std::memcpy(p.data() + 14, &from.address, 4);
  // target hardware address (18..23) stays zero
  std::memcpy(p.data() + 24, &target, 4);
  return p;
}

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

class LinuxArpProber : public ArpProber {
 public:
  std::vector<bool> Probe(const Adapter& adapter, std::span<const Ipv4> targets,
                          uint32_t timeout_ms) override {
    std::vector<bool> answered(targets.size(), false);
    unsigned index = if_nametoindex(adapter.name.c_str());
    int fd = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, htons(ETH_P_ARP));
    if (index == 0 || fd < 0) {
      if (fd >= 0) close(fd);
      return answered;
    }
    sockaddr_ll at{};
    at.sll_family = AF_PACKET;
    at.sll_protocol = htons(ETH_P_ARP);
    at.sll_ifindex = static_cast<int>(index);
    if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0) {
      SendAll(fd, at, adapter, targets);
      Listen(fd, targets, answered, timeout_ms);
    }
    close(fd);
    return answered;
  }

 private:
  static void SendAll(int fd, sockaddr_ll to, const Adapter& adapter, std::span<const Ipv4> targets) {
    to.sll_halen = 6;
    std::fill(std::begin(to.sll_addr), std::begin(to.sll_addr) + 6, 0xFF);
    for (Ipv4 target : targets) {
      auto p = ArpRequest(adapter, target);
      sendto(fd, p.data(), p.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
  }

  // Reads ARP replies until every target has answered or the time is up.
  static void Listen(int fd, std::span<const Ipv4> targets, std::vector<bool>& answered,
                     uint32_t timeout_ms) {
    const int64_t end = NowMs() + timeout_ms;
    size_t open = targets.size();
    while (open > 0) {
      int64_t left = end - NowMs();
      if (left <= 0) break;
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left)) <= 0) break;
      uint8_t buf[256];
      ssize_t n = recv(fd, buf, sizeof buf, 0);
      if (n < static_cast<ssize_t>(kArpPacketSize) || buf[6] != 0 ||
          buf[7] != ARPOP_REPLY)
        continue;
      Ipv4 sender;
      std::memcpy(&sender, buf + 14, 4);
      for (size_t i = 0; i < targets.size(); ++i)
        if (targets[i] == sender && !answered[i]) {
          answered[i] = true;
          --open;
        }
    }
  }
};

LinuxArpProber g_system_prober;
ArpProber* g_prober = &g_system_prober;

}  // namespace

ArpProber& ArpProber::Default() { return *g_prober; }
void ArpProber::SetDefault(ArpProber* prober) { g_prober = prober ? prober : &g_system_prober; }

}  // namespace yov
