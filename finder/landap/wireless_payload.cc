// Packing of the wireless and capability blocks.
#include "landap/wireless_payload.h"

namespace yov {
namespace {

constexpr size_t kEnabledAt = 0, kChannelAt = 1, kSsidAt = 2, kNibblesAt = 38, kWepKeysAt = 42,
                 kPassphraseAt = 170;
constexpr size_t kMaskAt = 0, kModesAt = 4, kEncryptionsAt = 5, kAuthenticationsAt = 6,
                 kBytesAt = 7, kValueAt = 10;

// Bit positions of the 4-bit fields in the word at offset 38.
constexpr int kModeBits = 0, kEncryptionBits = 4, kAuthenticationBits = 8, kWepLengthBits = 12,
              kWepFormatBits = 16, kWepIndexBits = 20, kOptionBits = 24;

uint32_t Nibble(uint8_t v, int shift) { return static_cast<uint32_t>(v & 0x0F) << shift; }
uint8_t NibbleAt(uint32_t word, int shift) { return static_cast<uint8_t>((word >> shift) & 0x0F); }

}  // namespace

std::array<uint8_t, kWirelessBlockSize> EncodeWirelessBlock(const WirelessBlock& b) {
  std::array<uint8_t, kWirelessBlockSize> out{};
  out[kEnabledAt] = b.enabled;
  out[kChannelAt] = b.channel;
  PutText(out, kSsidAt, b.ssid);
  PutU32(out, kNibblesAt,
         Nibble(b.mode, kModeBits) | Nibble(b.encryption, kEncryptionBits) |
             Nibble(b.authentication, kAuthenticationBits) |
             Nibble(b.wep_key_length, kWepLengthBits) | Nibble(b.wep_key_format, kWepFormatBits) |
             Nibble(b.wep_key_index, kWepIndexBits) | Nibble(b.option, kOptionBits));
  for (size_t k = 0; k < b.wep_keys.size(); ++k) PutText(out, kWepKeysAt + 32 * k, b.wep_keys[k]);
  PutText(out, kPassphraseAt, b.passphrase);
  return out;
}

std::optional<WirelessBlock> DecodeWirelessBlock(Bytes in) {
  if (in.size() < kWirelessBlockSize) return std::nullopt;
  WirelessBlock b;
  b.enabled = in[kEnabledAt];
  b.channel = in[kChannelAt];
  GetText(in, kSsidAt, b.ssid);
  uint32_t word = GetU32(in, kNibblesAt);
  b.mode = NibbleAt(word, kModeBits);
  b.encryption = NibbleAt(word, kEncryptionBits);
  b.authentication = NibbleAt(word, kAuthenticationBits);
  b.wep_key_length = NibbleAt(word, kWepLengthBits);
  b.wep_key_format = NibbleAt(word, kWepFormatBits);
  b.wep_key_index = NibbleAt(word, kWepIndexBits);
  b.option = NibbleAt(word, kOptionBits);
  for (size_t k = 0; k < b.wep_keys.size(); ++k) GetText(in, kWepKeysAt + 32 * k, b.wep_keys[k]);
  GetText(in, kPassphraseAt, b.passphrase);
  return b;
}

std::array<uint8_t, kCapabilityBlockSize> EncodeCapabilityBlock(const CapabilityBlock& c) {
  std::array<uint8_t, kCapabilityBlockSize> out{};
  PutU32(out, kMaskAt, c.channel_mask);
  out[kModesAt] = c.modes;
  out[kEncryptionsAt] = c.encryptions;
  out[kAuthenticationsAt] = c.authentications;
  std::copy(c.bytes.begin(), c.bytes.end(), out.begin() + kBytesAt);
  PutU32(out, kValueAt, c.value);
  return out;
}

std::optional<CapabilityBlock> DecodeCapabilityBlock(Bytes in) {
  if (in.size() < kCapabilityBlockSize) return std::nullopt;
  CapabilityBlock c;
  c.channel_mask = GetU32(in, kMaskAt);
  c.modes = in[kModesAt];
  c.encryptions = in[kEncryptionsAt];
  c.authentications = in[kAuthenticationsAt];
  std::copy_n(in.begin() + kBytesAt, 3, c.bytes.begin());
  c.value = GetU32(in, kValueAt);
  return c;
}

std::array<uint8_t, kWirelessReplySize> EncodeWirelessReply(const WirelessBlock& b,
                                                            const CapabilityBlock& c) {
  std::array<uint8_t, kWirelessReplySize> out{};
  auto block = EncodeWirelessBlock(b);
  auto caps = EncodeCapabilityBlock(c);
  std::copy(block.begin(), block.end(), out.begin());
  std::copy(caps.begin(), caps.end(), out.begin() + kWirelessBlockSize);
  return out;
}

std::optional<std::pair<WirelessBlock, CapabilityBlock>> DecodeWirelessReply(Bytes in) {
  if (in.size() < kWirelessReplySize) return std::nullopt;
  return std::pair{*DecodeWirelessBlock(in), *DecodeCapabilityBlock(in.subspan(kWirelessBlockSize))};
}

void FillWirelessRecord(const WirelessBlock& b, _YOVWireless& out) {
  out.Version = 1;
  out.Size = sizeof(_YOVWireless) - 8;
  out.WirelessEnabled = b.enabled;
  out.WirelessMode = b.mode;
  ToTerminatedField(out.Ssid, b.ssid);
  out.Channel = b.channel;
  out.Authentication = b.authentication;
  out.Encryption = b.encryption;
  out.WepKeyLength = b.wep_key_length;
  out.WepKeyFormat = b.wep_key_format;
  out.WepKeyIndex = b.wep_key_index;
  for (size_t k = 0; k < b.wep_keys.size(); ++k) ToField(out.WepKeys[k], b.wep_keys[k]);
  ToTerminatedField(out.Passphrase, b.passphrase);
  out.WirelessOption = b.option;
}

WirelessBlock WirelessBlockFromRecord(const _YOVWireless& in) {
  WirelessBlock b;
  // A wider value still means "on"; the 4-bit fields keep only their low bits.
  b.enabled = in.WirelessEnabled > 0xFF ? 1 : static_cast<uint8_t>(in.WirelessEnabled);
  b.channel = static_cast<uint8_t>(in.Channel);
  b.ssid = FromField<36>(in.Ssid);
  b.mode = static_cast<uint8_t>(in.WirelessMode & 0x0F);
  b.encryption = static_cast<uint8_t>(in.Encryption & 0x0F);
  b.authentication = static_cast<uint8_t>(in.Authentication & 0x0F);
  b.wep_key_length = static_cast<uint8_t>(in.WepKeyLength & 0x0F);
  b.wep_key_format = static_cast<uint8_t>(in.WepKeyFormat & 0x0F);
  b.wep_key_index = static_cast<uint8_t>(in.WepKeyIndex & 0x0F);
  b.option = static_cast<uint8_t>(in.WirelessOption & 0x0F);
  for (size_t k = 0; k < b.wep_keys.size(); ++k) b.wep_keys[k] = FromField<32>(in.WepKeys[k]);
  b.passphrase = FromField<68>(in.Passphrase);
  return b;
}

void FillCapabilityRecord(const CapabilityBlock& c, _YOVWirelessCapability& out) {
  out.Version = 1;
  out.Size = sizeof(_YOVWirelessCapability) - 8;
  out.ChannelMask = c.channel_mask;
  out.Modes = c.modes;
  out.Encryptions = c.encryptions;
  out.Authentications = c.authentications;
  std::copy(c.bytes.begin(), c.bytes.end(), out.CapabilityBytes);
  out.CapabilityValue = c.value;
}

}  // namespace yov
