// Advanced-network family: CmdGetAdvNetwork (with the provider list) and CmdSetAdvNetwork.
//
// Camera JSON "adv_network": {"pppoe_user", "pppoe_password", "flags", "mask", "adv_option",
// "adv_text1", "adv_text2", "adv_text3", "providers": "DynDNS;No-IP"}. A set stores the PPPoE
// credentials only when the request carries them, and each flag bit only under its mask bit.
#include "command_support.h"
#include "handler_table.h"
#include "landap/adv_network_payload.h"

namespace camsim {
namespace {

yov::AdvNetworkBlock BlockOf(const nlohmann::json& a) {
  yov::AdvNetworkBlock b;
  b.pppoe_user = TextFrom<64>(a, "pppoe_user");
  b.pppoe_password = TextFrom<64>(a, "pppoe_password");
  b.flags = a.value("flags", uint8_t{0});
  b.mask = a.value("mask", uint8_t{0});
  b.adv_option = a.value("adv_option", uint8_t{0});
  b.adv_text1 = TextFrom<64>(a, "adv_text1");
  b.adv_text2 = TextFrom<64>(a, "adv_text2");
  b.adv_text3 = TextFrom<64>(a, "adv_text3");
  return b;
}

std::vector<Answer> GetAdvNetwork(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  const nlohmann::json& a = StateOf(camera, "adv_network");
  yov::AdvNetworkReply r;
  r.block = BlockOf(a);
  std::string providers = a.value("providers", std::string());
  r.has_providers = providers.empty() ? 0 : 1;
  r.providers = yov::MakeText<yov::kProviderTextSize>(providers);
  auto bytes = yov::EncodeAdvNetworkReply(r);
  return GetAnswer(camera, request, options, {bytes.begin(), bytes.end()});
}

void Apply(nlohmann::json& a, const yov::AdvNetworkBlock& b) {
  if (b.carries_pppoe) {
    a["pppoe_user"] = TextOf(b.pppoe_user);
    a["pppoe_password"] = TextOf(b.pppoe_password);
  }
  const uint8_t settable = b.mask & (yov::kAdvFlag0 | yov::kAdvFlag1 | yov::kAdvPppoeEnabled);
  uint8_t flags = a.value("flags", uint8_t{0});
  a["flags"] = static_cast<uint8_t>((flags & ~settable) | (b.flags & settable));
  a["mask"] = b.mask;
  a["adv_option"] = b.adv_option;
  a["adv_text1"] = TextOf(b.adv_text1);
  a["adv_text2"] = TextOf(b.adv_text2);
  a["adv_text3"] = TextOf(b.adv_text3);
}

std::vector<Answer> SetAdvNetwork(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    Apply(StateOf(camera, "adv_network"),
          *yov::DecodeAdvNetworkBlock(Fields(request, yov::kAdvNetworkBlockSize)));
  });
}

const RegisterHandler kGetAdvNetwork{
    {yov::CmdGetAdvNetwork, yov::kLandapPort, false, &GetAdvNetwork}};
const RegisterHandler kSetAdvNetwork{
    {yov::CmdSetAdvNetwork, yov::kLandapPort, false, &SetAdvNetwork}};

}  // namespace
}  // namespace camsim
