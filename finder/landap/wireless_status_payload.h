// Small wireless replies: the association state (44 bytes, CmdWirelessStatus) and the
// camera's WPS PIN (16 bytes, CmdGetWpsPin).
#pragma once

#include <optional>
#include <string>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kAssociationSize = 44;
constexpr size_t kWpsPinPayloadSize = 16;

struct AssociationState {
  uint32_t value1 = 0;
  uint32_t value2 = 0;
  Text<36> text{};
};

std::array<uint8_t, kAssociationSize> EncodeAssociationState(const AssociationState& a);
std::optional<AssociationState> DecodeAssociationState(Bytes in);  // at least 44 bytes
// Both words and at most 35 characters of the text with a NUL.
void FillAssociationRecord(const AssociationState& a, _YOVWirelessAssociatedStatus& out);

std::array<uint8_t, kWpsPinPayloadSize> EncodeWpsPin(std::string_view pin);
// The PIN text up to its NUL (all 16 bytes when there is none); nullopt below 16 bytes.
std::optional<std::string> DecodeWpsPin(Bytes in);

}  // namespace yov
