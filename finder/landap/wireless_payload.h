// The wireless block (238 bytes, with 4-bit fields), the capability block (14 bytes) and the
// CmdGetWireless reply (252 bytes: the two together).
#pragma once

#include <optional>
#include <utility>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kWirelessBlockSize = 238;
constexpr size_t kCapabilityBlockSize = 14;
constexpr size_t kWirelessReplySize = kWirelessBlockSize + kCapabilityBlockSize;  // 252

struct WirelessBlock {
  uint8_t enabled = 0;
  uint8_t channel = 0;
  Text<36> ssid{};
  // The 4-bit fields of the word at offset 38; only the low 4 bits of each are sent.
  uint8_t mode = 0, encryption = 0, authentication = 0;
  uint8_t wep_key_length = 0, wep_key_format = 0, wep_key_index = 0, option = 0;
  std::array<Text<32>, 4> wep_keys{};
  Text<68> passphrase{};
};

struct CapabilityBlock {
  uint32_t channel_mask = 0;
  uint8_t modes = 0, encryptions = 0, authentications = 0;
  std::array<uint8_t, 3> bytes{};
  uint32_t value = 0;
};

std::array<uint8_t, kWirelessBlockSize> EncodeWirelessBlock(const WirelessBlock& b);
std::optional<WirelessBlock> DecodeWirelessBlock(Bytes in);  // at least 238 bytes
std::array<uint8_t, kCapabilityBlockSize> EncodeCapabilityBlock(const CapabilityBlock& c);
std::optional<CapabilityBlock> DecodeCapabilityBlock(Bytes in);  // at least 14 bytes
std::array<uint8_t, kWirelessReplySize> EncodeWirelessReply(const WirelessBlock& b,
                                                            const CapabilityBlock& c);
std::optional<std::pair<WirelessBlock, CapabilityBlock>> DecodeWirelessReply(Bytes in);

// Writes every field but the padding; SSID and passphrase keep a terminator.
void FillWirelessRecord(const WirelessBlock& b, _YOVWireless& out);
WirelessBlock WirelessBlockFromRecord(const _YOVWireless& in);
// Writes head and fields; the padding keeps its content.
void FillCapabilityRecord(const CapabilityBlock& c, _YOVWirelessCapability& out);

}  // namespace yov
