// PosixDatagramSocket: INADDR_ANY + SO_BINDTODEVICE, SO_BROADCAST, poll-based waits.
#include "landap/posix_socket.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace yov {

std::string InterfaceOfAddress(Ipv4 address) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  std::string name;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    if (reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr == address) {
      name = i->ifa_name;
      break;
    }
  }
  freeifaddrs(list);
  return name;
}

namespace {

class PosixDatagramSocket : public DatagramSocket {
 public:
  ~PosixDatagramSocket() override {
    if (fd_ >= 0) close(fd_);
  }

  bool Bind(Ipv4 address, uint16_t port, bool broadcast, int rcvbuf) override {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    int one = 1;
    if (address != 0) {
      // Linux hands a broadcast only to sockets bound to the wildcard address, and a camera
      // outside our subnet answers by broadcast; the device binding keeps us on one adapter.
      std::string dev = InterfaceOfAddress(address);
      if (dev.empty() ||
          setsockopt(fd_, SOL_SOCKET, SO_BINDTODEVICE, dev.c_str(), dev.size() + 1) != 0)
        return Fail();
      // Several modules on one adapter (a search beside an exchange) may share port 68 etc.
      setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    }
    if (broadcast) setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    if (rcvbuf > 0) RaiseReceiveBuffer(rcvbuf);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = INADDR_ANY;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) return Fail();
    socklen_t len = sizeof sa;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return Fail();
    port_ = ntohs(sa.sin_port);
    return true;
  }

  uint16_t LocalPort() const override { return port_; }

  bool Send(Bytes data, Ipv4 destination, uint16_t port) override {
    if (fd_ < 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = destination;
    return sendto(fd_, data.data(), data.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
           static_cast<ssize_t>(data.size());
  }

  WaitResult Wait(int64_t timeout_us) override {
    pollfd p{fd_, POLLIN, 0};
    // poll counts milliseconds; round a sub-millisecond wait up so it still waits.
    int ms = static_cast<int>((timeout_us + 999) / 1000);
    int n = poll(&p, 1, ms);
    if (n < 0) return errno == EINTR ? WaitResult::kTimeout : WaitResult::kError;
    if (n == 0) return WaitResult::kTimeout;
    return (p.revents & POLLIN) ? WaitResult::kReadable : WaitResult::kError;
  }

  int Receive(MutableBytes buffer, Ipv4* source) override {
    sockaddr_in from{};
    socklen_t len = sizeof from;
    iovec iov{buffer.data(), buffer.size()};
    msghdr msg{};
    msg.msg_name = &from;
    msg.msg_namelen = len;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    ssize_t n = recvmsg(fd_, &msg, 0);
    if (n < 0 || (msg.msg_flags & MSG_TRUNC)) return -1;  // too large for the space left
    if (source) *source = from.sin_addr.s_addr;
    return static_cast<int>(n);
  }

 private:
  bool Fail() {
    close(fd_);
    fd_ = -1;
    return false;
  }
  void RaiseReceiveBuffer(int bytes) {
    // As root the limit of net.core.rmem_max can be passed; otherwise take what is allowed.
    if (setsockopt(fd_, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
      setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
  }

  int fd_ = -1;
  uint16_t port_ = 0;
};

}  // namespace

std::unique_ptr<DatagramSocket> NewPosixDatagramSocket() {
  return std::make_unique<PosixDatagramSocket>();
}

}  // namespace yov
