// The simulated cameras of one process: dispatches each request to the addressed cameras.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera.h"
#include "traffic_log.h"

namespace camsim {

struct Request;
struct HandlerSpec;

// A reply ready to go out; the transport sends it after `delay_ms`.
struct Outgoing {
  std::vector<uint8_t> datagram;
  yov::Ipv4 destination = 0;
  uint16_t port = 0;
  uint16_t local_port = 0;  // send from the socket of this port
  std::string iface;        // out of this interface
  yov::Ipv4 source = 0;     // preferred source address (the camera's), 0 for the default
  yov::Mac camera{};
  int delay_ms = 0;
};

class Simulator {
 public:
  // Throws std::invalid_argument for a MAC that is already simulated.
  void AddCamera(Camera camera);
  bool RemoveCamera(const yov::Mac& mac);
  Camera* Find(const yov::Mac& mac);
  std::vector<Camera>& cameras() { return cameras_; }
  TrafficLog& log() { return log_; }

  // Handles one received datagram: logs it, and for a LANDAP request returns the replies of
  // every camera it is meant for (all cameras on this interface for a broadcast search, else
  // the camera with the TargetMac), in camera order, each already shaped.
  std::vector<Outgoing> Handle(const Datagram& received);

 private:
  void Respond(Camera& camera, const Request& request, const HandlerSpec& spec,
               std::vector<Outgoing>& out);

  std::vector<Camera> cameras_;
  TrafficLog log_;
};

}  // namespace camsim
