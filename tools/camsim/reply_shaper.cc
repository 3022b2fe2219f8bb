// Reply header and misbehaviour shaping.
#include "reply_shaper.h"

#include <algorithm>

namespace camsim {

std::vector<uint8_t> ShapeDatagram(const Request& request, const Camera& camera,
                                   const Answer& answer, const Behaviour& b) {
  std::vector<uint8_t> payload = b.payload ? *b.payload : answer.payload;
  if (b.payload_size) payload.resize(*b.payload_size, 0);

  yov::LandapHeader h;
  h.magic = b.magic.value_or(yov::kReplyMagic);
  h.sequence = static_cast<uint16_t>(request.header.sequence + b.sequence_offset);
  h.command = b.command.value_or(
      static_cast<uint16_t>(request.header.command + (b.wrong_command ? 1 : 0)));
  h.target_mac = camera.mac;
  h.camera_address = camera.ip;
  h.status = b.status.value_or(answer.status);
  h.header_version = b.header_version.value_or(yov::kHeaderVersion);
  h.payload_length = static_cast<uint16_t>(static_cast<int>(payload.size()) + b.payload_length_delta);

  std::vector<uint8_t> datagram(yov::kHeaderSize);
  yov::EncodeHeader(h, datagram);
  datagram.insert(datagram.end(), payload.begin(), payload.end());
  if (b.datagram_extra > 0) {
    datagram.resize(datagram.size() + static_cast<size_t>(b.datagram_extra), 0);
  } else if (b.datagram_extra < 0) {
    size_t cut = std::min(datagram.size(), static_cast<size_t>(-b.datagram_extra));
    datagram.resize(datagram.size() - cut);
  }
  return datagram;
}

}  // namespace camsim
