// Packing of the association state and the WPS PIN reply.
#include "landap/wireless_status_payload.h"

namespace yov {
namespace {

constexpr size_t kValue1At = 0, kValue2At = 4, kTextAt = 8;

}  // namespace

std::array<uint8_t, kAssociationSize> EncodeAssociationState(const AssociationState& a) {
  std::array<uint8_t, kAssociationSize> out{};
  PutU32(out, kValue1At, a.value1);
  PutU32(out, kValue2At, a.value2);
  PutText(out, kTextAt, a.text);
  return out;
}

std::optional<AssociationState> DecodeAssociationState(Bytes in) {
  if (in.size() < kAssociationSize) return std::nullopt;
  AssociationState a;
  a.value1 = GetU32(in, kValue1At);
  a.value2 = GetU32(in, kValue2At);
  GetText(in, kTextAt, a.text);
  return a;
}

void FillAssociationRecord(const AssociationState& a, _YOVWirelessAssociatedStatus& out) {
  out.AssocValue1 = a.value1;
  out.AssocValue2 = a.value2;
  ToTerminatedField(out.AssocText, a.text);
}

std::array<uint8_t, kWpsPinPayloadSize> EncodeWpsPin(std::string_view pin) {
  return MakeText<kWpsPinPayloadSize>(pin);
}

std::optional<std::string> DecodeWpsPin(Bytes in) {
  if (in.size() < kWpsPinPayloadSize) return std::nullopt;
  return FieldText(in.data(), kWpsPinPayloadSize);
}

}  // namespace yov
