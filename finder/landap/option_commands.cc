// Packing of the option-command list.
#include "landap/option_commands.h"

#include <algorithm>

namespace yov {

std::vector<uint8_t> EncodeOptionCodes(std::span<const uint16_t> codes) {
  size_t n = std::min(codes.size(), kOptionPayloadMax / 2);
  std::vector<uint8_t> out(2 * n);
  for (size_t i = 0; i < n; ++i) PutU16(out, 2 * i, codes[i]);
  return out;
}

std::vector<uint16_t> DecodeOptionCodes(Bytes payload) {
  std::vector<uint16_t> codes(payload.size() / 2);
  for (size_t i = 0; i < codes.size(); ++i) codes[i] = GetU16(payload, 2 * i);
  return codes;
}

}  // namespace yov
