// The advanced-network block (324 bytes: PPPoE and further options), the CmdGetAdvNetwork
// reply (525 bytes: the block and the provider list) and the provider names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "landap/text_field.h"
#include "yovfinder.h"

namespace yov {

constexpr size_t kAdvNetworkBlockSize = 324;
constexpr size_t kAdvNetworkReplySize = 525;
constexpr size_t kProviderTextSize = 200;

// Bits of the flag byte and of the record's ValidMask.
constexpr uint8_t kAdvFlag0 = 0x01, kAdvFlag1 = 0x02, kAdvPppoeEnabled = 0x04;
constexpr uint32_t kAdvMaskPppoeCredentials = 0x08;

struct AdvNetworkBlock {
  uint8_t carries_pppoe = 0;  // 1 when a request carries PPPoE credentials
  Text<64> pppoe_user{};
  Text<64> pppoe_password{};
  uint8_t flags = 0;
  uint8_t mask = 0;
  uint8_t adv_option = 0;
  Text<64> adv_text1{}, adv_text2{}, adv_text3{};
};

struct AdvNetworkReply {
  AdvNetworkBlock block;
  uint8_t has_providers = 0;  // non-zero when the provider text is meant
  Text<kProviderTextSize> providers{};
};

std::array<uint8_t, kAdvNetworkBlockSize> EncodeAdvNetworkBlock(const AdvNetworkBlock& b);
std::optional<AdvNetworkBlock> DecodeAdvNetworkBlock(Bytes in);  // at least 324 bytes
std::array<uint8_t, kAdvNetworkReplySize> EncodeAdvNetworkReply(const AdvNetworkReply& r);
std::optional<AdvNetworkReply> DecodeAdvNetworkReply(Bytes in);  // at least 525 bytes

// Writes every field but the padding; flags read as 0/1, 0/4 and 0/2.
void FillAdvNetworkRecord(const AdvNetworkBlock& b, _YOVAdvNetwork& out);
// The block a record asks for: PPPoE credentials only with ValidMask bit 3, each flag bit only
// with its mask bit, the mask's low byte as the camera's mask byte.
AdvNetworkBlock AdvNetworkBlockFromRecord(const _YOVAdvNetwork& in);

// The provider text of a reply, "" when its presence byte is 0.
std::string ProviderText(const AdvNetworkReply& r);
// Names separated by ";"; the split stops at the first empty name.
std::vector<std::string> SplitProviderNames(std::string_view text);

}  // namespace yov
