// The simple wireless block (108 bytes): reply to CmdGetSimpleWireless, body of
// CmdSetSimpleWireless.
#pragma once

#include <optional>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kSimpleWirelessBlockSize = 108;

struct SimpleWirelessBlock {
  uint8_t value1 = 0;
  Text<36> ssid{};
  uint8_t value2 = 0, value3 = 0, value4 = 0, value5 = 0;
  Text<67> key{};
};

std::array<uint8_t, kSimpleWirelessBlockSize> EncodeSimpleWirelessBlock(const SimpleWirelessBlock& b);
std::optional<SimpleWirelessBlock> DecodeSimpleWirelessBlock(Bytes in);  // at least 108 bytes

// Writes every field but the padding; SSID and key keep a terminator.
void FillSimpleWirelessRecord(const SimpleWirelessBlock& b, _YOVSimpleWireless& out);
// The values are cut to the payload's bytes.
SimpleWirelessBlock SimpleWirelessBlockFromRecord(const _YOVSimpleWireless& in);

}  // namespace yov
