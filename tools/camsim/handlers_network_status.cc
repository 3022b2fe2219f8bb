// Network-change family: CmdNetworkStatus and the PPPoE queries (CmdPppoeAvailable and
// CmdPppoeDone, on port 62977).
//
// Camera JSON "network_status": {"value", "address1", "state" (default 2, finished),
// "address2", "fail_reason"}; the option "not_ready_polls": N of CmdNetworkStatus answers
// state 1 (in progress) N times first. "pppoe": {"available": byte, "done": byte} are the
// answers; the options "not_ready_polls": N of 259 / 260 answer status 257 N times first (-1:
// for ever). Counters "network_status_polls", "pppoe_available_polls", "pppoe_done_polls".
#include "command_support.h"
#include "handler_table.h"
#include "landap/network_status_payload.h"
#include "wire_text.h"

namespace camsim {
namespace {

using nlohmann::json;

yov::Ipv4 AddressOf(const json& j, const char* key) {
  return ParseIpv4(j.value(key, "0.0.0.0")).value_or(0);
}

// Counts a poll in extra[counter]; true while `limit` polls have not yet been answered.
bool NotReadyYet(Camera& camera, const char* counter, int limit) {
  int polls = camera.extra.value(counter, 0);
  camera.extra[counter] = polls + 1;
  return limit < 0 || polls < limit;
}

std::vector<Answer> NetworkStatus(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  const json& s = StateOf(camera, "network_status");
  yov::NetworkStatus status{s.value("value", 0u), AddressOf(s, "address1"), s.value("state", 2u),
                            AddressOf(s, "address2"), s.value("fail_reason", 0u)};
  if (NotReadyYet(camera, "network_status_polls", options.json.value("not_ready_polls", 0)))
    status.state = 1;
  auto bytes = yov::EncodeNetworkStatus(status);
  return GetAnswer(camera, request, options, {bytes.begin(), bytes.end()});
}

template <const char* kAnswerKey, const char* kCounter>
std::vector<Answer> Pppoe(Camera& camera, const Request& request, const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  std::vector<uint8_t> p(16, 0);
  if (NotReadyYet(camera, kCounter, options.json.value("not_ready_polls", 0)))
    return {Answer{yov::kStatusNotReady, p}};
  p[0] = StateOf(camera, "pppoe").value(kAnswerKey, uint8_t{1});
  return {Answer{yov::kStatusOk, p}};
}

constexpr char kAvailable[] = "available", kAvailablePolls[] = "pppoe_available_polls";
constexpr char kDone[] = "done", kDonePolls[] = "pppoe_done_polls";

const RegisterHandler kNetworkStatus{
    {yov::CmdNetworkStatus, yov::kLandapPort, false, &NetworkStatus}};
const RegisterHandler kPppoeAvailable{{yov::CmdPppoeAvailable, yov::kRemoteAccessPort, false,
                                       &Pppoe<kAvailable, kAvailablePolls>}};
const RegisterHandler kPppoeDone{
    {yov::CmdPppoeDone, yov::kRemoteAccessPort, false, &Pppoe<kDone, kDonePolls>}};

}  // namespace
}  // namespace camsim
