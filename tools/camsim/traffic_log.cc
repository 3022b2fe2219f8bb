// Records of received and sent datagrams.
#include "traffic_log.h"

#include <chrono>

#include "wire_text.h"

namespace camsim {
namespace {

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

nlohmann::json HeaderFields(yov::Bytes bytes) {
  nlohmann::json j = nlohmann::json::object();
  auto h = yov::DecodeHeader(bytes);
  if (!h) return j;
  j["magic"] = h->magic;
  j["sequence"] = h->sequence;
  j["command"] = h->command;
  j["target_mac"] = MacText(h->target_mac);
  j["camera_address"] = Ipv4Text(h->camera_address);
  j["header_version"] = h->header_version;
  j["payload_length"] = h->payload_length;
  j["payload"] = HexText(bytes.data() + yov::kHeaderSize, bytes.size() - yov::kHeaderSize);
  j["status"] = h->status;  // the marker, in a request
  return j;
}

}  // namespace

void TrafficLog::Received(const Datagram& d) {
  nlohmann::json j = HeaderFields(d.bytes);
  if (j.contains("status")) {
    j["marker"] = j["status"];
    j.erase("status");
  } else {
    j["datagram"] = HexText(d.bytes.data(), d.bytes.size());
  }
  j["t_ms"] = NowMs();
  j["iface"] = d.iface;
  j["port"] = d.local_port;
  j["source"] = EndpointText(d.peer, d.peer_port);
  j["length"] = d.bytes.size();
  received_.push_back(std::move(j));
}

void TrafficLog::Sent(const Datagram& d, const yov::Mac& camera, const std::string& error) {
  nlohmann::json j = HeaderFields(d.bytes);
  j.erase("target_mac");
  j.erase("camera_address");
  j["t_ms"] = NowMs();
  j["iface"] = d.iface;
  j["port"] = d.local_port;
  j["destination"] = EndpointText(d.peer, d.peer_port);
  j["mac"] = MacText(camera);
  j["datagram"] = HexText(d.bytes.data(), d.bytes.size());
  j["length"] = d.bytes.size();
  if (!error.empty()) j["error"] = error;
  sent_.push_back(std::move(j));
}

void TrafficLog::Clear() {
  received_ = nlohmann::json::array();
  sent_ = nlohmann::json::array();
}

}  // namespace camsim
