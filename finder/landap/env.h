// The operating-system seam of the finder: datagram sockets, adapters, clock, sleep, random.
// Production code uses Env::Default(); unit tests install a fake with a virtual clock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "landap/landap_header.h"

namespace yov {

struct Adapter {
  std::string name;  // interface name
  Ipv4 address = 0;  // first IPv4 address
  Ipv4 mask = 0;
  Ipv4 gateway = 0;
  Mac hardware{};
  bool dhcp = false;
  Ipv4 dns1 = 0, dns2 = 0;
};

enum class WaitResult { kReadable, kTimeout, kError };

// One UDP socket. Used by one thread at a time.
class DatagramSocket {
 public:
  virtual ~DatagramSocket() = default;
  // Binds to any address and `port` on the interface that owns `address` (SO_BINDTODEVICE),
  // so broadcast replies arrive too; `address` 0 binds without a device. Raises the receive
  // buffer to `rcvbuf` bytes when not 0.
  virtual bool Bind(Ipv4 address, uint16_t port, bool broadcast, int rcvbuf) = 0;
  virtual uint16_t LocalPort() const = 0;
  virtual bool Send(Bytes data, Ipv4 destination, uint16_t port) = 0;
  virtual WaitResult Wait(int64_t timeout_us) = 0;
  // One datagram into `buffer`; its length, or -1 on error, including a datagram larger
  // than the buffer.
  virtual int Receive(MutableBytes buffer, Ipv4* source) = 0;
};

class Env {
 public:
  virtual ~Env() = default;
  virtual std::unique_ptr<DatagramSocket> NewDatagramSocket() = 0;
  // IPv4 adapters that are up, can broadcast and are not loopback, in interface order.
  virtual std::vector<Adapter> ListAdapters() = 0;
  virtual uint32_t TickMs() = 0;  // monotonic milliseconds
  virtual void SleepMs(uint32_t ms) = 0;
  virtual void SeedRandom(uint32_t seed) = 0;
  virtual int Random() = 0;  // 0..32767, safe from several threads

  // The process-wide environment; tests may replace it (not while finders run).
  static Env* Default();
  static void SetDefault(Env* env);  // nullptr restores the system environment
};

}  // namespace yov
