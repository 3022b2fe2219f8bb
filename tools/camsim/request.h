// One LANDAP request as the simulator received it, and a handler's answer to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "landap/byte_codec.h"
#include "landap/landap_header.h"

namespace camsim {

struct Request {
  yov::LandapHeader header;
  yov::Bytes payload;     // every byte after the header, whatever PayloadLength says
  yov::Ipv4 source = 0;   // the requester's address and port
  uint16_t source_port = 0;
  uint16_t local_port = 0;  // the port it arrived on (62976 or 62977)
  std::string iface;        // the interface it arrived on

  uint16_t marker() const { return header.status; }
  bool broadcast_target() const { return header.target_mac == yov::kBroadcastMac; }
};

// One reply datagram before shaping: the core adds the header (and applies the camera's
// misbehaviours), so a handler returns only the status and the payload.
struct Answer {
  uint16_t status = yov::kStatusOk;
  std::vector<uint8_t> payload;
};

}  // namespace camsim
