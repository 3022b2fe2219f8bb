// CmdWirelessStatus: the association state (44 bytes) or, for the WPS flow, the WPS capability
// (4 bytes). Which form a camera answers is its choice; here it is an option of the command.
//
// Camera JSON "association": {"value1", "value2", "text"}; "wps_capability": {"push_button",
// "pin"} (non-zero when offered). Options of command 178: "form": "wps" answers the 4-byte
// capability instead of the association state.
#include "command_support.h"
#include "handler_table.h"
#include "landap/wireless_status_payload.h"

namespace camsim {
namespace {

std::vector<uint8_t> WpsCapability(Camera& camera) {
  const nlohmann::json& w = StateOf(camera, "wps_capability");
  return {w.value("push_button", uint8_t{1}), w.value("pin", uint8_t{1}), 0, 0};
}

std::vector<uint8_t> Association(Camera& camera) {
  const nlohmann::json& a = StateOf(camera, "association");
  yov::AssociationState s{a.value("value1", 0u), a.value("value2", 0u), TextFrom<36>(a, "text")};
  auto bytes = yov::EncodeAssociationState(s);
  return {bytes.begin(), bytes.end()};
}

std::vector<Answer> WirelessStatus(Camera& camera, const Request& request,
                                   const CommandOptions& options) {
  bool wps = options.json.value("form", std::string()) == "wps";
  return GetAnswer(camera, request, options, wps ? WpsCapability(camera) : Association(camera));
}

const RegisterHandler kWirelessStatus{
    {yov::CmdWirelessStatus, yov::kLandapPort, false, &WirelessStatus}};

}  // namespace
}  // namespace camsim
