// A fake operating system for unit tests: virtual clock, scripted datagram peer, fixed adapters.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "landap/env.h"

namespace yov::test {

class FakeSocket;

// One datagram sent by the code under test.
struct Sent {
  Ipv4 bound = 0;  // address the socket was bound to
  Ipv4 destination = 0;
  uint16_t port = 0;
  std::vector<uint8_t> data;
  uint32_t at = 0;  // virtual time of the send
};

// The fake system. Time moves only when the code under test waits or sleeps, so receive loops
// and retries run in virtual time and take no real time.
class FakeEnv : public Env {
 public:
  // Called for every datagram sent; it may answer with socket.Deliver(...).
  using Peer = std::function<void(FakeSocket& socket, const Sent& sent)>;

  std::unique_ptr<DatagramSocket> NewDatagramSocket() override;
  std::vector<Adapter> ListAdapters() override { return adapters; }
  uint32_t TickMs() override { return now; }
  void SleepMs(uint32_t ms) override { now += ms; }
  void SeedRandom(uint32_t) override {}
  int Random() override { return random_value; }

  uint32_t now = 100000;
  int random_value = 0;            // rand() % 300 + 200 then adds exactly 200
  std::vector<Adapter> adapters;
  std::set<Ipv4> unbindable;       // Bind to these addresses fails
  Peer peer;
  std::vector<Sent> sent;
  int sockets_opened = 0;
};

class FakeSocket : public DatagramSocket {
 public:
  explicit FakeSocket(FakeEnv& env) : env_(env) {}

  // Queues a datagram from `source` to arrive `delay_ms` after now.
  void Deliver(std::vector<uint8_t> data, Ipv4 source, uint32_t delay_ms = 0) {
    Pending p{env_.now + delay_ms, source, std::move(data)};
    auto at = std::upper_bound(queue_.begin(), queue_.end(), p,
                               [](const Pending& a, const Pending& b) { return a.at < b.at; });
    queue_.insert(at, std::move(p));
  }
  // Makes the wait after `waits` more successful ones report an error.
  void FailWaitAfter(int waits) { fail_wait_in_ = waits; }
  Ipv4 bound() const { return bound_; }

  bool Bind(Ipv4 address, uint16_t port, bool, int) override {
    if (env_.unbindable.count(address)) return false;
    bound_ = address;
    port_ = port ? port : 40000 + static_cast<uint16_t>(env_.sockets_opened);
    return true;
  }
  uint16_t LocalPort() const override { return port_; }

  bool Send(Bytes data, Ipv4 destination, uint16_t port) override {
    Sent s{bound_, destination, port, std::vector<uint8_t>(data.begin(), data.end()), env_.now};
    env_.sent.push_back(s);
    if (env_.peer) env_.peer(*this, s);
    return true;
  }

  WaitResult Wait(int64_t timeout_us) override {
    if (fail_wait_in_ >= 0 && fail_wait_in_-- == 0) return WaitResult::kError;
    uint32_t timeout_ms = static_cast<uint32_t>((timeout_us + 999) / 1000);
    if (!queue_.empty() && queue_.front().at <= env_.now + timeout_ms) {
      env_.now = std::max(env_.now, queue_.front().at);
      return WaitResult::kReadable;
    }
    env_.now += timeout_ms;
    return WaitResult::kTimeout;
  }

  int Receive(MutableBytes buffer, Ipv4* source) override {
    if (queue_.empty()) return -1;
    Pending p = std::move(queue_.front());
    queue_.pop_front();
    if (p.data.size() > buffer.size()) return -1;
    std::copy(p.data.begin(), p.data.end(), buffer.begin());
    if (source) *source = p.source;
    return static_cast<int>(p.data.size());
  }

 private:
  struct Pending {
    uint32_t at;
    Ipv4 source;
    std::vector<uint8_t> data;
  };
  FakeEnv& env_;
  std::deque<Pending> queue_;
  Ipv4 bound_ = 0;
  uint16_t port_ = 0;
  int fail_wait_in_ = -1;
};

inline std::unique_ptr<DatagramSocket> FakeEnv::NewDatagramSocket() {
  ++sockets_opened;
  return std::make_unique<FakeSocket>(*this);
}

// Dotted text to an address, for readable tests.
inline Ipv4 Ip(const char* text) { return ParseAddress(text); }

// An adapter with the given name and address.
inline Adapter MakeAdapter(const char* name, const char* address, uint8_t mac_last) {
  Adapter a;
  a.name = name;
  a.address = Ip(address);
  a.mask = Ip("255.255.255.0");
  a.hardware = {0x02, 0, 0, 0, 0, mac_last};
  return a;
}

// A reply datagram: header from `request` turned into a reply, then `payload`.
inline std::vector<uint8_t> ReplyTo(Bytes request, Bytes payload, uint16_t status = 0,
                                    const Mac* mac = nullptr) {
  LandapHeader h = *DecodeHeader(request);
  h.magic = kReplyMagic;
  h.status = status;
  if (mac) h.target_mac = *mac;
  h.payload_length = static_cast<uint16_t>(payload.size());
  std::vector<uint8_t> out(kHeaderSize + payload.size());
  EncodeHeader(h, out);
  std::copy(payload.begin(), payload.end(), out.begin() + kHeaderSize);
  return out;
}

}  // namespace yov::test
