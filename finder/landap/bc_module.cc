// The receive loops of CBCModule, faithful to the one-second wait granularity cameras expect.
#include "landap/bc_module.h"

#include <algorithm>
#include <vector>

namespace yov {

int CBCModule::Open(Ipv4 address, uint16_t port, bool no_broadcast, int rcvbuf) {
  socket_ = env_.NewDatagramSocket();
  if (!socket_ || !socket_->Bind(address, port, !no_broadcast, rcvbuf)) {
    socket_.reset();
    return -1;
  }
  local_port_ = socket_->LocalPort();
  bound_address_ = address;
  return 0;
}

void CBCModule::Send(Bytes data, Ipv4 destination, uint16_t port) {
  if (!socket_) return;
  socket_->Send(data, destination ? destination : 0xFFFFFFFFu, port ? port : local_port_);
}

void CBCModule::Close() { socket_.reset(); }

int CBCModule::Collect(uint32_t timeout_ms, uint8_t* result, size_t size, Ipv4* first_sender,
                       const Handler& handler) {
  return Receive({1000000, false}, timeout_ms, result, size, first_sender,
                 handler ? &handler : nullptr);
}

int CBCModule::ReceiveFramed(uint32_t timeout_ms, uint8_t* result, size_t size) {
  return Receive({3000500, true}, timeout_ms, result, size, nullptr, nullptr);
}

int CBCModule::Receive(const Loop& loop, uint32_t timeout_ms, uint8_t* result, size_t size,
                       Ipv4* first_sender, const Handler* handler) {
  const size_t limit = size ? std::min(size, kReceiveAreaSize) : kReceiveAreaSize;
  std::vector<uint8_t> area(kReceiveAreaSize, 0);
  const bool unlimited = timeout_ms == kWaitForever;
  uint32_t start = env_.TickMs();
  size_t fill = 0;
  int handled = 0, status = 0;
  bool sender_recorded = false;
  stop = 0;

  while (socket_) {
    WaitResult w = socket_->Wait(loop.wait_us);
    if (w == WaitResult::kError) {
      status = -1;
      break;
    }
    if (w == WaitResult::kTimeout) {
      if (stop) break;
    } else {
      Ipv4 source = 0;
      size_t at = handler ? 0 : fill;
      size_t room = handler ? kReceiveAreaSize : limit - fill;
      int n = socket_->Receive(MutableBytes(area.data() + at, room), &source);
      if (n < 0) {
        status = -1;
        break;
      }
      if (source != bound_address_) {
        if (first_sender && !sender_recorded) {
          *first_sender = source;
          sender_recorded = true;
        }
        if (handler) {
          if ((*handler)(Bytes(area.data(), n), source, bound_address_)) ++handled;
        } else {
          fill += n;
          bool framed_done =
              loop.framed && fill >= kHeaderSize && fill == GetU16(Bytes(area), 20) + kHeaderSize;
          if (fill == limit || fill == kCompleteAt || framed_done) {
            status = size ? static_cast<int>(size) : kCollectComplete;
            break;
          }
        }
        if (!unlimited) start = env_.TickMs();
      }
    }
    if (!unlimited) {
      uint32_t elapsed = std::max<uint32_t>(env_.TickMs() - start, 1);
      if (elapsed >= timeout_ms) break;  // "exceeds", or leaves nothing remaining
    }
  }

  if (result) {
    size_t n = std::min(limit, fill);
    std::copy(area.begin(), area.begin() + n, result);
    return static_cast<int>(n);
  }
  if (status != 0) return status;
  return handled;
}

}  // namespace yov
