// poll() over the UDP sockets and the control socket, with a queue of delayed replies.
#include "event_loop.h"

#include <poll.h>

#include <chrono>
#include <map>

namespace camsim {
namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void EventLoop::Run(volatile std::sig_atomic_t& stop, bool& quit) {
  while (!stop && !quit) {
    std::vector<pollfd> fds;
    for (int fd : udp_.fds()) fds.push_back({fd, POLLIN, 0});
    size_t control_from = fds.size();
    if (control_)
      for (int fd : control_->fds()) fds.push_back({fd, POLLIN, 0});
    int n = poll(fds.data(), fds.size(), MsUntilNextDue());
    if (n < 0) continue;  // EINTR: look at the stop flag
    for (size_t i = 0; i < fds.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      if (i < control_from)
        ReadRequests(fds[i].fd);
      else
        control_->OnReadable(fds[i].fd);
    }
    SendDue();
  }
}

void EventLoop::ReadRequests(int fd) {
  std::vector<uint8_t> buffer(65536);
  Datagram d;
  // Drain the socket so that one poll() round answers every queued request at once.
  while (udp_.Receive(fd, buffer, d)) {
    for (Outgoing& o : sim_.Handle(d)) {
      if (o.delay_ms > 0)
        delayed_.emplace(NowMs() + o.delay_ms, std::move(o));
      else
        Send(o);
    }
  }
}

void EventLoop::SendDue() {
  int64_t now = NowMs();
  while (!delayed_.empty() && delayed_.begin()->first <= now) {
    Send(delayed_.begin()->second);
    delayed_.erase(delayed_.begin());
  }
}

int EventLoop::MsUntilNextDue() const {
  if (delayed_.empty()) return 1000;  // wake now and then to see the stop flag
  int64_t wait = delayed_.begin()->first - NowMs();
  return wait < 0 ? 0 : static_cast<int>(std::min<int64_t>(wait, 1000));
}

void EventLoop::Send(const Outgoing& o) {
  std::string error = udp_.Send(o);
  Datagram d;
  d.bytes = yov::Bytes(o.datagram);
  d.peer = o.destination;
  d.peer_port = o.port;
  d.local_port = o.local_port;
  d.iface = o.iface;
  sim_.log().Sent(d, o.camera, error);
}

}  // namespace camsim
