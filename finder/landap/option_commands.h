// The CmdGetOptionCmds reply: the optional command codes a camera supports.
#pragma once

#include <span>
#include <vector>

#include "landap/byte_codec.h"

namespace yov {

constexpr size_t kOptionPayloadMax = 240;
constexpr size_t kOptionReplyMax = 22 + kOptionPayloadMax;  // 262
// Only these codes are optional commands the library knows of.
constexpr uint16_t kFirstOptionCode = 166, kLastOptionCode = 201;

inline bool IsKeptOptionCode(uint16_t code) {
  return code >= kFirstOptionCode && code <= kLastOptionCode;
}

// u16 codes, little-endian, as many as fit in 240 bytes.
std::vector<uint8_t> EncodeOptionCodes(std::span<const uint16_t> codes);
// PayloadLength / 2 codes, as far as `payload` holds them.
std::vector<uint16_t> DecodeOptionCodes(Bytes payload);

}  // namespace yov
