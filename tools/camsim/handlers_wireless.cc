// Wireless family: CmdGetWireless (settings and capability), CmdSetWireless, and the simple
// wireless pair CmdGetSimpleWireless / CmdSetSimpleWireless.
//
// Camera JSON "wireless": {"enabled", "channel", "ssid", "mode", "encryption", "authentication",
// "wep_key_length", "wep_key_format", "wep_key_index", "option", "wep_keys": [4 texts],
// "passphrase"}; "wireless_capability": {"channel_mask", "modes", "encryptions",
// "authentications", "bytes": [3], "value"}; "simple_wireless": {"value1", "ssid", "value2" ..
// "value5", "key"}.
#include "command_support.h"
#include "handler_table.h"
#include "landap/simple_wireless_payload.h"
#include "landap/wireless_payload.h"

namespace camsim {
namespace {

using nlohmann::json;

yov::WirelessBlock WirelessOf(const json& w) {
  yov::WirelessBlock b;
  b.enabled = w.value("enabled", uint8_t{0});
  b.channel = w.value("channel", uint8_t{0});
  b.ssid = TextFrom<36>(w, "ssid");
  b.mode = w.value("mode", uint8_t{0});
  b.encryption = w.value("encryption", uint8_t{0});
  b.authentication = w.value("authentication", uint8_t{0});
  b.wep_key_length = w.value("wep_key_length", uint8_t{0});
  b.wep_key_format = w.value("wep_key_format", uint8_t{0});
  b.wep_key_index = w.value("wep_key_index", uint8_t{0});
  b.option = w.value("option", uint8_t{0});
  json keys = w.value("wep_keys", json::array());
  for (size_t k = 0; k < b.wep_keys.size() && k < keys.size(); ++k)
    b.wep_keys[k] = yov::MakeText<32>(keys[k].get<std::string>());
  b.passphrase = TextFrom<68>(w, "passphrase");
  return b;
}

json WirelessJson(const yov::WirelessBlock& b) {
  json keys = json::array();
  for (const auto& k : b.wep_keys) keys.push_back(TextOf(k));
  return {{"enabled", b.enabled},
          {"channel", b.channel},
          {"ssid", TextOf(b.ssid)},
          {"mode", b.mode},
          {"encryption", b.encryption},
          {"authentication", b.authentication},
          {"wep_key_length", b.wep_key_length},
          {"wep_key_format", b.wep_key_format},
          {"wep_key_index", b.wep_key_index},
          {"option", b.option},
          {"wep_keys", keys},
          {"passphrase", TextOf(b.passphrase)}};
}

yov::CapabilityBlock CapabilityOf(const json& c) {
  yov::CapabilityBlock b;
  b.channel_mask = c.value("channel_mask", 0x7FFu);  // channels 1 to 11
  b.modes = c.value("modes", uint8_t{1});
  b.encryptions = c.value("encryptions", uint8_t{0x1F});
  b.authentications = c.value("authentications", uint8_t{0x3F});
  json bytes = c.value("bytes", json::array());
  for (size_t i = 0; i < b.bytes.size() && i < bytes.size(); ++i) b.bytes[i] = bytes[i].get<uint8_t>();
  b.value = c.value("value", 0u);
  return b;
}

std::vector<Answer> GetWireless(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  auto bytes = yov::EncodeWirelessReply(WirelessOf(StateOf(camera, "wireless")),
                                        CapabilityOf(StateOf(camera, "wireless_capability")));
  return GetAnswer(camera, request, options, {bytes.begin(), bytes.end()});
}

std::vector<Answer> SetWireless(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    auto b = *yov::DecodeWirelessBlock(Fields(request, yov::kWirelessBlockSize));
    camera.extra["wireless"] = WirelessJson(b);
  });
}

std::vector<Answer> GetSimpleWireless(Camera& camera, const Request& request,
                                      const CommandOptions& options) {
  const json& s = StateOf(camera, "simple_wireless");
  yov::SimpleWirelessBlock b;
  b.value1 = s.value("value1", uint8_t{0});
  b.ssid = TextFrom<36>(s, "ssid");
  b.value2 = s.value("value2", uint8_t{0});
  b.value3 = s.value("value3", uint8_t{0});
  b.value4 = s.value("value4", uint8_t{0});
  b.value5 = s.value("value5", uint8_t{0});
  b.key = TextFrom<67>(s, "key");
  auto bytes = yov::EncodeSimpleWirelessBlock(b);
  return GetAnswer(camera, request, options, {bytes.begin(), bytes.end()});
}

std::vector<Answer> SetSimpleWireless(Camera& camera, const Request& request,
                                      const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    auto b = *yov::DecodeSimpleWirelessBlock(Fields(request, yov::kSimpleWirelessBlockSize));
    camera.extra["simple_wireless"] = {{"value1", b.value1}, {"ssid", TextOf(b.ssid)},
                                       {"value2", b.value2}, {"value3", b.value3},
                                       {"value4", b.value4}, {"value5", b.value5},
                                       {"key", TextOf(b.key)}};
  });
}

const RegisterHandler kGetWireless{{yov::CmdGetWireless, yov::kLandapPort, false, &GetWireless}};
const RegisterHandler kSetWireless{{yov::CmdSetWireless, yov::kLandapPort, false, &SetWireless}};
const RegisterHandler kGetSimple{
    {yov::CmdGetSimpleWireless, yov::kLandapPort, false, &GetSimpleWireless}};
const RegisterHandler kSetSimple{
    {yov::CmdSetSimpleWireless, yov::kLandapPort, false, &SetSimpleWireless}};

}  // namespace
}  // namespace camsim
