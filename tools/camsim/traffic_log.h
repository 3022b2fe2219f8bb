// What the simulator received and sent, as JSON records for the control socket.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "landap/byte_codec.h"
#include "landap/landap_header.h"

namespace camsim {

struct Datagram {
  yov::Bytes bytes;
  yov::Ipv4 peer = 0;       // source of a received datagram, destination of a sent one
  uint16_t peer_port = 0;
  uint16_t local_port = 0;
  std::string iface;
};

class TrafficLog {
 public:
  // Received: every datagram, decoded where it has a full header:
  // {"t_ms","iface","port","source","length","magic","sequence","command","target_mac",
  //  "camera_address","marker","header_version","payload_length","payload"(hex)}.
  void Received(const Datagram& d);
  // Sent: {"t_ms","iface","port","destination","mac","command","sequence","status",
  //  "payload_length","payload"(hex: bytes after the header),"datagram"(hex),"error"?}.
  void Sent(const Datagram& d, const yov::Mac& camera, const std::string& error);

  const nlohmann::json& received() const { return received_; }
  const nlohmann::json& sent() const { return sent_; }
  void Clear();

 private:
  nlohmann::json received_ = nlohmann::json::array();
  nlohmann::json sent_ = nlohmann::json::array();
};

}  // namespace camsim
