// Request dispatch: addressing, the behaviour gates, handler call and reply shaping.
#include "simulator.h"

#include <algorithm>
#include <stdexcept>

#include "handler_table.h"
#include "reply_shaper.h"
#include "wire_text.h"

namespace camsim {

void Simulator::AddCamera(Camera camera) {
  if (Find(camera.mac)) throw std::invalid_argument("duplicate camera MAC " + MacText(camera.mac));
  cameras_.push_back(std::move(camera));
}

bool Simulator::RemoveCamera(const yov::Mac& mac) {
  auto it = std::find_if(cameras_.begin(), cameras_.end(),
                         [&](const Camera& c) { return c.mac == mac; });
  if (it == cameras_.end()) return false;
  cameras_.erase(it);
  return true;
}

Camera* Simulator::Find(const yov::Mac& mac) {
  for (Camera& c : cameras_)
    if (c.mac == mac) return &c;
  return nullptr;
}

std::vector<Outgoing> Simulator::Handle(const Datagram& received) {
  log_.Received(received);
  std::vector<Outgoing> out;
  auto header = yov::DecodeHeader(received.bytes);
  if (!header || header->magic != yov::kRequestMagic) return out;  // replies of other cameras
  const HandlerSpec* spec = HandlerTable::Instance().Find(header->command);
  if (!spec || spec->port != received.local_port) return out;

  Request request;
  request.header = *header;
  request.payload = received.bytes.subspan(yov::kHeaderSize);
  request.source = received.peer;
  request.source_port = received.peer_port;
  request.local_port = received.local_port;
  request.iface = received.iface;

  if (request.broadcast_target()) {
    if (!spec->broadcast) return out;
    for (Camera& camera : cameras_)
      if (ListensOn(camera, request.iface)) Respond(camera, request, *spec, out);
  } else if (Camera* camera = Find(header->target_mac); camera && ListensOn(*camera, request.iface)) {
    Respond(*camera, request, *spec, out);
  }
  return out;
}

void Simulator::Respond(Camera& camera, const Request& request, const HandlerSpec& spec,
                        std::vector<Outgoing>& out) {
  CommandOptions options = OptionsFor(camera.behaviour, request.header.command);
  const Behaviour& b = options.behaviour;
  if (b.silent) return;
  if (b.only_marker0 && request.marker() == yov::kCameraMarker) return;

  // The handler may change the camera (a set command), so shaping reads the state afterwards.
  std::vector<Answer> answers = spec.handle(camera, request, options);
  for (const Answer& answer : answers) {
    Outgoing o;
    o.datagram = ShapeDatagram(request, camera, answer, b);
    o.destination = b.reply_broadcast ? 0xFFFFFFFFu : request.source;
    o.port = request.source_port;
    o.local_port = request.local_port;
    o.iface = request.iface;
    o.source = camera.ip;
    o.camera = camera.mac;
    o.delay_ms = b.delay_ms;
    for (int copy = 0; copy <= b.duplicates; ++copy) out.push_back(o);
  }
}

}  // namespace camsim
