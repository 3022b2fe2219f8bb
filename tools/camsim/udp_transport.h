// The simulator's UDP sockets: one per LANDAP port, on every interface or one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator.h"

namespace camsim {

class UdpTransport {
 public:
  ~UdpTransport();
  // Binds 0.0.0.0:<port> for each port, with broadcast, arrival-interface reporting and, when
  // `iface` is not empty, SO_BINDTODEVICE. Returns an error text, empty on success.
  std::string Open(const std::string& iface, const std::vector<uint16_t>& ports);
  const std::vector<int>& fds() const { return fds_; }
  uint16_t PortOf(int fd) const;

  // Reads one datagram from `fd` into `buffer`; false when there is none (or on an error).
  bool Receive(int fd, std::vector<uint8_t>& buffer, Datagram& out);
  // Sends one reply out of its interface from the camera's own address when the kernel lets
  // us, else from the interface's address. Returns an error text, empty on success.
  std::string Send(const Outgoing& o);

 private:
  std::vector<int> fds_;
  std::vector<uint16_t> ports_;
  bool spoof_source_ = true;  // cleared once the kernel refuses a foreign source address
};

}  // namespace camsim
