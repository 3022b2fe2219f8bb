// The simulator's single-threaded loop: UDP requests, delayed replies, control requests.
#pragma once

#include <csignal>
#include <map>

#include "control_server.h"
#include "simulator.h"
#include "udp_transport.h"

namespace camsim {

class EventLoop {
 public:
  EventLoop(Simulator& sim, UdpTransport& udp, ControlServer* control)
      : sim_(sim), udp_(udp), control_(control) {}
  // Runs until `stop` becomes non-zero (a signal) or a control request asks to quit.
  void Run(volatile std::sig_atomic_t& stop, bool& quit);

 private:
  void ReadRequests(int fd);
  void SendDue();
  int MsUntilNextDue() const;
  void Send(const Outgoing& o);

  Simulator& sim_;
  UdpTransport& udp_;
  ControlServer* control_;
  std::multimap<int64_t, Outgoing> delayed_;  // keyed by due time in ms
};

}  // namespace camsim
