// Packing of the simple wireless block.
#include "landap/simple_wireless_payload.h"

namespace yov {
namespace {

constexpr size_t kValue1At = 0, kSsidAt = 1, kValue2At = 37, kValue3At = 38, kValue4At = 39,
                 kValue5At = 40, kKeyAt = 41;

}  // namespace

std::array<uint8_t, kSimpleWirelessBlockSize> EncodeSimpleWirelessBlock(const SimpleWirelessBlock& b) {
  std::array<uint8_t, kSimpleWirelessBlockSize> out{};
  out[kValue1At] = b.value1;
  PutText(out, kSsidAt, b.ssid);
  out[kValue2At] = b.value2;
  out[kValue3At] = b.value3;
  out[kValue4At] = b.value4;
  out[kValue5At] = b.value5;
  PutText(out, kKeyAt, b.key);
  return out;
}

std::optional<SimpleWirelessBlock> DecodeSimpleWirelessBlock(Bytes in) {
  if (in.size() < kSimpleWirelessBlockSize) return std::nullopt;
  SimpleWirelessBlock b;
  b.value1 = in[kValue1At];
  GetText(in, kSsidAt, b.ssid);
  b.value2 = in[kValue2At];
  b.value3 = in[kValue3At];
  b.value4 = in[kValue4At];
  b.value5 = in[kValue5At];
  GetText(in, kKeyAt, b.key);
  return b;
}

void FillSimpleWirelessRecord(const SimpleWirelessBlock& b, _YOVSimpleWireless& out) {
  out.Version = 1;
  out.Size = sizeof(_YOVSimpleWireless) - 8;
  out.SimpleValue1 = b.value1;
  ToTerminatedField(out.Ssid, b.ssid);
  out.SimpleValue2 = b.value2;
  out.SimpleValue3 = b.value3;
  out.SimpleValue4 = b.value4;
  out.SimpleValue5 = b.value5;
  ToTerminatedField(out.SimpleKey, b.key);
}

SimpleWirelessBlock SimpleWirelessBlockFromRecord(const _YOVSimpleWireless& in) {
  SimpleWirelessBlock b;
  b.value1 = static_cast<uint8_t>(in.SimpleValue1);
  b.ssid = FromField<36>(in.Ssid);
  b.value2 = static_cast<uint8_t>(in.SimpleValue2);
  b.value3 = static_cast<uint8_t>(in.SimpleValue3);
  b.value4 = static_cast<uint8_t>(in.SimpleValue4);
  b.value5 = static_cast<uint8_t>(in.SimpleValue5);
  b.key = FromField<67>(in.SimpleKey);
  return b;
}

}  // namespace yov
