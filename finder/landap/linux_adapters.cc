// Adapter snapshot from getifaddrs, /proc/net/route, rtnetlink and the resolver configuration.
#include "landap/linux_adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace yov {
namespace {

struct Found {
  unsigned index = 0;
  Adapter adapter;
  bool has_address = false;
};

Ipv4 DefaultGateway(const std::string& iface) {
  std::ifstream route("/proc/net/route");
  std::string line;
  std::getline(route, line);  // column headings
  while (std::getline(route, line)) {
    std::istringstream in(line);
    std::string name, dest, gw;
    if (!(in >> name >> dest >> gw) || name != iface) continue;
    // The kernel prints the addresses in the host's byte order, i.e. s_addr as a number.
    Ipv4 gateway = static_cast<Ipv4>(std::stoul(gw, nullptr, 16));
    if (dest == "00000000" && gateway != 0) return gateway;
  }
  return 0;
}

std::vector<Ipv4> ResolverServers(const char* path) {
  std::ifstream conf(path);
  std::vector<Ipv4> out;
  std::string word, value;
  for (std::string line; std::getline(conf, line);) {
    std::istringstream in(line);
    if (in >> word >> value && word == "nameserver") {
      in_addr a{};
      if (inet_pton(AF_INET, value.c_str(), &a) == 1) out.push_back(a.s_addr);
    }
  }
  return out;
}

std::vector<Ipv4> DnsServers() {
  std::vector<Ipv4> servers = ResolverServers("/etc/resolv.conf");
  in_addr stub{};
  inet_pton(AF_INET, "127.0.0.53", &stub);
  if (std::find(servers.begin(), servers.end(), stub.s_addr) != servers.end()) {
    std::vector<Ipv4> upstream = ResolverServers("/run/systemd/resolve/resolv.conf");
    if (!upstream.empty()) return upstream;
  }
  return servers;
}

// Interface indexes whose first IPv4 address is not permanent, i.e. was leased by DHCP.
std::set<unsigned> DynamicAddressInterfaces() {
  std::set<unsigned> dynamic, seen;
  int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (fd < 0) return dynamic;
  struct {
    nlmsghdr h;
    ifaddrmsg m;
  } req{};
  req.h.nlmsg_len = sizeof req;
  req.h.nlmsg_type = RTM_GETADDR;
  req.h.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  req.m.ifa_family = AF_INET;
  if (send(fd, &req, sizeof req, 0) < 0) {
    close(fd);
    return dynamic;
  }
  alignas(nlmsghdr) char buf[16384];
  for (bool done = false; !done;) {
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    for (auto* h = reinterpret_cast<nlmsghdr*>(buf); NLMSG_OK(h, static_cast<unsigned>(n));
         h = NLMSG_NEXT(h, n)) {
      if (h->nlmsg_type == NLMSG_DONE || h->nlmsg_type == NLMSG_ERROR) {
        done = true;
        break;
      }
      auto* m = static_cast<ifaddrmsg*>(NLMSG_DATA(h));
      uint32_t flags = m->ifa_flags;
      int len = IFA_PAYLOAD(h);
      for (auto* a = IFA_RTA(m); RTA_OK(a, len); a = RTA_NEXT(a, len))
        if (a->rta_type == IFA_FLAGS) std::memcpy(&flags, RTA_DATA(a), sizeof flags);
      if (!seen.insert(m->ifa_index).second) continue;  // only the first address counts
      if (!(flags & IFA_F_PERMANENT)) dynamic.insert(m->ifa_index);
    }
  }
  close(fd);
  return dynamic;
}

}  // namespace

std::vector<Adapter> ListSystemAdapters() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  std::map<std::string, Found> by_name;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr) continue;
    unsigned flags = i->ifa_flags;
    if (!(flags & IFF_UP) || !(flags & IFF_BROADCAST) || (flags & IFF_LOOPBACK)) continue;
    Found& f = by_name[i->ifa_name];
    f.adapter.name = i->ifa_name;
    f.index = if_nametoindex(i->ifa_name);
    if (i->ifa_addr->sa_family == AF_PACKET) {
      auto* ll = reinterpret_cast<sockaddr_ll*>(i->ifa_addr);
      if (ll->sll_halen == 6) std::copy(ll->sll_addr, ll->sll_addr + 6, f.adapter.hardware.begin());
    } else if (i->ifa_addr->sa_family == AF_INET && !f.has_address) {
      f.has_address = true;
      f.adapter.address = reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr;
      if (i->ifa_netmask)
        f.adapter.mask = reinterpret_cast<sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr;
    }
  }
  freeifaddrs(list);

  std::vector<Found> found;
  for (auto& [name, f] : by_name)
    if (f.has_address) found.push_back(f);
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.index < b.index; });

  std::set<unsigned> dynamic = DynamicAddressInterfaces();
  std::vector<Ipv4> dns = DnsServers();
  std::vector<Adapter> out;
  for (Found& f : found) {
    Adapter a = f.adapter;
    a.gateway = DefaultGateway(a.name);
    a.dhcp = dynamic.count(f.index) > 0;
    a.dns1 = dns.size() > 0 ? dns[0] : 0;
    a.dns2 = dns.size() > 1 ? dns[1] : 0;
    out.push_back(a);
  }
  return out;
}

std::vector<Adapter> FilterAdapters(std::vector<Adapter> adapters, std::string_view names) {
  if (names.empty()) return adapters;
  std::set<std::string> keep;
  std::string item;
  std::istringstream in{std::string(names)};
  while (std::getline(in, item, ','))
    if (!item.empty()) keep.insert(item);
  std::erase_if(adapters, [&](const Adapter& a) { return !keep.count(a.name); });
  return adapters;
}

}  // namespace yov
