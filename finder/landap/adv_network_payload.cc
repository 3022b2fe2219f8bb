// Packing of the advanced-network block and reply.
#include "landap/adv_network_payload.h"

namespace yov {
namespace {

constexpr size_t kCarriesAt = 0, kUserAt = 1, kPasswordAt = 65, kFlagsAt = 129, kMaskAt = 130,
                 kOptionAt = 131, kText1At = 132, kText2At = 196, kText3At = 260;
constexpr size_t kHasProvidersAt = 324, kProvidersAt = 325;

}  // namespace

std::array<uint8_t, kAdvNetworkBlockSize> EncodeAdvNetworkBlock(const AdvNetworkBlock& b) {
  std::array<uint8_t, kAdvNetworkBlockSize> out{};
  out[kCarriesAt] = b.carries_pppoe;
  PutText(out, kUserAt, b.pppoe_user);
  PutText(out, kPasswordAt, b.pppoe_password);
  out[kFlagsAt] = b.flags;
  out[kMaskAt] = b.mask;
  out[kOptionAt] = b.adv_option;
  PutText(out, kText1At, b.adv_text1);
  PutText(out, kText2At, b.adv_text2);
  PutText(out, kText3At, b.adv_text3);
  return out;
}

std::optional<AdvNetworkBlock> DecodeAdvNetworkBlock(Bytes in) {
  if (in.size() < kAdvNetworkBlockSize) return std::nullopt;
  AdvNetworkBlock b;
  b.carries_pppoe = in[kCarriesAt];
  GetText(in, kUserAt, b.pppoe_user);
  GetText(in, kPasswordAt, b.pppoe_password);
  b.flags = in[kFlagsAt];
  b.mask = in[kMaskAt];
  b.adv_option = in[kOptionAt];
  GetText(in, kText1At, b.adv_text1);
  GetText(in, kText2At, b.adv_text2);
  GetText(in, kText3At, b.adv_text3);
  return b;
}

std::array<uint8_t, kAdvNetworkReplySize> EncodeAdvNetworkReply(const AdvNetworkReply& r) {
  std::array<uint8_t, kAdvNetworkReplySize> out{};
  auto block = EncodeAdvNetworkBlock(r.block);
  std::copy(block.begin(), block.end(), out.begin());
  out[kHasProvidersAt] = r.has_providers;
  PutText(out, kProvidersAt, r.providers);
  return out;
}

std::optional<AdvNetworkReply> DecodeAdvNetworkReply(Bytes in) {
  if (in.size() < kAdvNetworkReplySize) return std::nullopt;
  AdvNetworkReply r;
  r.block = *DecodeAdvNetworkBlock(in);
  r.has_providers = in[kHasProvidersAt];
  GetText(in, kProvidersAt, r.providers);
  return r;
}

void FillAdvNetworkRecord(const AdvNetworkBlock& b, _YOVAdvNetwork& out) {
  out.Version = 1;
  out.Size = sizeof(_YOVAdvNetwork) - 8;
  out.ValidMask = b.mask;
  out.Flag0 = b.flags & kAdvFlag0;
  out.PppoeEnabled = b.flags & kAdvPppoeEnabled;
  out.Flag1 = b.flags & kAdvFlag1;
  ToField(out.PppoeUser, b.pppoe_user);
  ToField(out.PppoePassword, b.pppoe_password);
  out.AdvOption = b.adv_option;
  ToField(out.AdvText1, b.adv_text1);
  ToField(out.AdvText2, b.adv_text2);
  ToField(out.AdvText3, b.adv_text3);
}

AdvNetworkBlock AdvNetworkBlockFromRecord(const _YOVAdvNetwork& in) {
  AdvNetworkBlock b;
  const uint32_t mask = in.ValidMask;
  if (mask & kAdvMaskPppoeCredentials) {
    b.carries_pppoe = 1;
    b.pppoe_user = FromField<64>(in.PppoeUser);
    b.pppoe_password = FromField<64>(in.PppoePassword);
  }
  if ((mask & kAdvFlag0) && in.Flag0) b.flags |= kAdvFlag0;
  if ((mask & kAdvFlag1) && in.Flag1) b.flags |= kAdvFlag1;
  if ((mask & kAdvPppoeEnabled) && in.PppoeEnabled) b.flags |= kAdvPppoeEnabled;
  b.mask = static_cast<uint8_t>(mask);
  b.adv_option = in.AdvOption;
  b.adv_text1 = FromField<64>(in.AdvText1);
  b.adv_text2 = FromField<64>(in.AdvText2);
  b.adv_text3 = FromField<64>(in.AdvText3);
  return b;
}

std::string ProviderText(const AdvNetworkReply& r) {
  return r.has_providers ? FieldText(r.providers.data(), r.providers.size()) : std::string();
}

std::vector<std::string> SplitProviderNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    size_t end = text.find(';');
    std::string_view name = text.substr(0, end);
    if (name.empty()) break;
    names.emplace_back(name);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return names;
}

}  // namespace yov
