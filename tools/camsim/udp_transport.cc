// UDP sockets with IP_PKTINFO: the arrival interface in, the interface and source address out.
#include "udp_transport.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace camsim {
namespace {

std::string Error(const std::string& what) { return what + ": " + std::strerror(errno); }

// The sockets are non-blocking for the receive side; a full send buffer is waited out.
ssize_t SendBlocking(int fd, const msghdr& msg) {
  for (int tries = 0;; ++tries) {
    ssize_t n = sendmsg(fd, &msg, 0);
    if (n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK) || tries == 50) return n;
    pollfd p{fd, POLLOUT, 0};
    poll(&p, 1, 100);
  }
}

}  // namespace

UdpTransport::~UdpTransport() {
  for (int fd : fds_) close(fd);
}

std::string UdpTransport::Open(const std::string& iface, const std::vector<uint16_t>& ports) {
  for (uint16_t port : ports) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Error("socket");
    fds_.push_back(fd);
    ports_.push_back(port);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &one, sizeof one);
    // Lets a reply carry the camera's own address as its source even though the address is
    // not configured on the interface (several cameras share one interface).
    if (setsockopt(fd, IPPROTO_IP, IP_TRANSPARENT, &one, sizeof one) != 0) spoof_source_ = false;
    // A burst of 500 replies must not stall on the send buffer.
    int sndbuf = 4 << 20;
    if (setsockopt(fd, SOL_SOCKET, SO_SNDBUFFORCE, &sndbuf, sizeof sndbuf) != 0)
      setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &sndbuf, sizeof sndbuf);
    if (!iface.empty() &&
        setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, iface.c_str(), iface.size() + 1) != 0)
      return Error("SO_BINDTODEVICE " + iface);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = INADDR_ANY;
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0)
      return Error("bind port " + std::to_string(port));
  }
  return {};
}

uint16_t UdpTransport::PortOf(int fd) const {
  for (size_t i = 0; i < fds_.size(); ++i)
    if (fds_[i] == fd) return ports_[i];
  return 0;
}

bool UdpTransport::Receive(int fd, std::vector<uint8_t>& buffer, Datagram& out) {
  sockaddr_in from{};
  iovec iov{buffer.data(), buffer.size()};
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
  msghdr msg{};
  msg.msg_name = &from;
  msg.msg_namelen = sizeof from;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  msg.msg_control = control;
  msg.msg_controllen = sizeof control;
  ssize_t n = recvmsg(fd, &msg, MSG_DONTWAIT);
  if (n < 0) return false;
  out.iface.clear();
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
    in_pktinfo info;
    std::memcpy(&info, CMSG_DATA(c), sizeof info);
    char name[IF_NAMESIZE] = {};
    if (if_indextoname(static_cast<unsigned>(info.ipi_ifindex), name)) out.iface = name;
  }
  out.bytes = yov::Bytes(buffer.data(), static_cast<size_t>(n));
  out.peer = from.sin_addr.s_addr;
  out.peer_port = ntohs(from.sin_port);
  out.local_port = PortOf(fd);
  return true;
}

std::string UdpTransport::Send(const Outgoing& o) {
  int fd = -1;
  for (size_t i = 0; i < fds_.size(); ++i)
    if (ports_[i] == o.local_port) fd = fds_[i];
  if (fd < 0) return "no socket for port " + std::to_string(o.local_port);

  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(o.port);
  to.sin_addr.s_addr = o.destination;
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
  iovec iov{const_cast<uint8_t*>(o.datagram.data()), o.datagram.size()};
  msghdr msg{};
  msg.msg_name = &to;
  msg.msg_namelen = sizeof to;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  msg.msg_control = control;
  msg.msg_controllen = sizeof control;
  cmsghdr* c = CMSG_FIRSTHDR(&msg);
  c->cmsg_level = IPPROTO_IP;
  c->cmsg_type = IP_PKTINFO;
  c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  in_pktinfo info{};
  info.ipi_ifindex = static_cast<int>(if_nametoindex(o.iface.c_str()));
  info.ipi_spec_dst.s_addr = spoof_source_ ? o.source : 0;
  std::memcpy(CMSG_DATA(c), &info, sizeof info);

  ssize_t n = SendBlocking(fd, msg);
  if (n < 0 && info.ipi_spec_dst.s_addr != 0 && (errno == EINVAL || errno == EADDRNOTAVAIL)) {
    spoof_source_ = false;  // the interface's own address will do
    info.ipi_spec_dst.s_addr = 0;
    std::memcpy(CMSG_DATA(c), &info, sizeof info);
    n = SendBlocking(fd, msg);
  }
  if (n < 0) return Error("sendmsg to " + std::to_string(o.port));
  return {};
}

}  // namespace camsim
