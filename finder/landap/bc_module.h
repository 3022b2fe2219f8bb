// CBCModule: one broadcast UDP socket with the two LANDAP receive loops.
#pragma once

#include <atomic>
#include <functional>

#include "landap/env.h"

namespace yov {

constexpr uint32_t kWaitForever = 0xFFFFFFFFu;
constexpr size_t kReceiveAreaSize = 65536;
constexpr size_t kCompleteAt = 106;  // a receive that has gathered exactly this much is done
// Completion status of Collect/ReceiveFramed without a result buffer and a size of 0.
constexpr int kCollectComplete = -2;

class CBCModule {
 public:
  // Called for each datagram from another host; a non-zero return counts it as handled.
  using Handler = std::function<int(Bytes datagram, Ipv4 source, Ipv4 bound)>;

  explicit CBCModule(Env& env) : env_(env) {}

  // Binds to `address` (0: any) and `port`; enables broadcast unless `no_broadcast`.
  // `rcvbuf` raises the socket's receive buffer (searches). 0, or -1 on failure.
  int Open(Ipv4 address, uint16_t port, bool no_broadcast, int rcvbuf = 0);
  // To `destination`, or 255.255.255.255 when 0; `port` 0 means the socket's own port.
  void Send(Bytes data, Ipv4 destination, uint16_t port);
  // General receive loop: ends `timeout_ms` after the last datagram from another host (seen at
  // the end of a one-second wait), when the buffer is full or holds exactly 106 bytes, on an
  // error, or when the stop flag is set. With `result` returns the bytes copied into it;
  // otherwise the handled count, -1, or the completion status.
  int Collect(uint32_t timeout_ms, uint8_t* result, size_t size, Ipv4* first_sender,
              const Handler& handler);
  // As Collect without handler, with 3 s waits, and also complete when the gathered bytes
  // reach the header's PayloadLength + 22.
  int ReceiveFramed(uint32_t timeout_ms, uint8_t* result, size_t size);
  void Close();

  Ipv4 bound_address() const { return bound_address_; }
  uint16_t local_port() const { return local_port_; }

  std::atomic<int> stop{0};  // the only field another thread may set

 private:
  struct Loop {
    int64_t wait_us;
    bool framed;
  };
  int Receive(const Loop& loop, uint32_t timeout_ms, uint8_t* result, size_t size,
              Ipv4* first_sender, const Handler* handler);

  Env& env_;
  std::unique_ptr<DatagramSocket> socket_;
  uint16_t local_port_ = 0;
  Ipv4 bound_address_ = 0;
};

}  // namespace yov
