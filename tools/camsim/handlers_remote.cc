// Remote-access family (port 62977): the service's switch and state, its address, the alias
// with its polled change, and the sub-domain.
//
// Camera JSON "remote": {"enabled": 0|1, "ip_environment": [byte0, byte1], "state", "detail",
// "extra" (the three words of the progress query), "url", "alias", "sub_domain",
// "alias_session": N (the set reply's session number, default 41; 0 allowed),
// "alias_outcome": "done" | "refused" | "running" (running: in progress for ever)}. Option for
// CmdOstrelAliasResult: "not_ready_polls": N polls answer "in progress" first. The camera
// records "alias_requested" and counts "alias_polls".
#include "command_support.h"
#include "handler_table.h"
#include "landap/result_payload.h"

namespace camsim {
namespace {

using nlohmann::json;

constexpr size_t kText = 64;
constexpr uint32_t kInProgress = 2;  // word 1 of an alias poll
constexpr uint32_t kRefused = 2;     // word 0 of an alias poll

json& Remote(Camera& camera) { return StateOf(camera, "remote"); }

std::vector<uint8_t> Words(uint32_t w0, uint32_t w1, uint32_t w2 = 0) {
  auto p = yov::EncodeResultPayload({w0, w1, w2, 0});
  return {p.begin(), p.end()};
}

std::vector<uint8_t> TextPayload(const std::string& text) {
  std::vector<uint8_t> p(kText, 0);
  std::copy_n(text.begin(), std::min(text.size(), kText), p.begin());
  return p;
}

std::string TextField(const Request& request) {
  std::vector<uint8_t> f = Fields(request, kText);
  return yov::FieldText(f.data(), kText);
}

// Commands without a credential block: the state queries anybody may ask.
std::vector<Answer> GetEnabled(Camera& camera, const Request&, const CommandOptions&) {
  std::vector<uint8_t> p(16, 0);
  p[0] = Remote(camera).value("enabled", uint8_t{0});
  return {Answer{yov::kStatusOk, p}};
}

std::vector<Answer> ProcState(Camera& camera, const Request&, const CommandOptions&) {
  const json& r = Remote(camera);
  return {Answer{yov::kStatusOk,
                 Words(r.value("state", 2u), r.value("detail", 0u), r.value("extra", 0u))}};
}

std::vector<Answer> Enable(Camera& camera, const Request& request, const CommandOptions& options) {
  return SetCommand(camera, request, options,
                    [&] { Remote(camera)["enabled"] = Fields(request, 1)[0]; });
}

std::vector<Answer> IpEnvironment(Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  std::vector<uint8_t> p(16, 0);
  json bytes = Remote(camera).value("ip_environment", json::array());
  for (size_t i = 0; i < 2 && i < bytes.size(); ++i) p[i] = bytes[i].get<uint8_t>();
  return GetAnswer(camera, request, options, p);
}

std::vector<Answer> Url(Camera& camera, const Request& request, const CommandOptions& options) {
  return GetAnswer(camera, request, options, TextPayload(Remote(camera).value("url", "")));
}

std::vector<Answer> GetAlias(Camera& camera, const Request& request, const CommandOptions& options) {
  return GetAnswer(camera, request, options, TextPayload(Remote(camera).value("alias", "")));
}

std::vector<Answer> SetAlias(Camera& camera, const Request& request, const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  json& r = Remote(camera);
  r["alias_requested"] = TextField(request);
  r["alias_polls"] = 0;
  if (Refusing(options)) return {Answer{yov::kStatusOk, Words(options.json.value("error_value", 1u), 0)}};
  return {Answer{yov::kStatusOk, Words(0, r.value("alias_session", 41u))}};
}

std::vector<Answer> AliasResult(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  json& r = Remote(camera);
  int polls = r.value("alias_polls", 0);
  r["alias_polls"] = polls + 1;
  std::string outcome = r.value("alias_outcome", "done");
  if (outcome == "running" || polls < options.json.value("not_ready_polls", 0))
    return {Answer{yov::kStatusOk, Words(0, kInProgress)}};
  if (outcome == "refused") return {Answer{yov::kStatusOk, Words(kRefused, 0)}};
  r["alias"] = r.value("alias_requested", "");
  return {Answer{yov::kStatusOk, Words(0, 0)}};
}

std::vector<Answer> SetSubDomain(Camera& camera, const Request& request,
                                 const CommandOptions& options) {
  return SetCommand(camera, request, options,
                    [&] { Remote(camera)["sub_domain"] = TextField(request); });
}

constexpr uint16_t kPort = yov::kRemoteAccessPort;
const RegisterHandler kGetEnabled{{yov::CmdOstrelGetEnabled, kPort, false, &GetEnabled}};
const RegisterHandler kEnable{{yov::CmdOstrelEnable, kPort, false, &Enable}};
const RegisterHandler kIpEnvironment{{yov::CmdOstrelIpEnvironment, kPort, false, &IpEnvironment}};
const RegisterHandler kProcState{{yov::CmdOstrelProcState, kPort, false, &ProcState}};
const RegisterHandler kUrl{{yov::CmdOstrelUrl, kPort, false, &Url}};
const RegisterHandler kGetAlias{{yov::CmdOstrelGetAlias, kPort, false, &GetAlias}};
const RegisterHandler kSetAlias{{yov::CmdOstrelSetAlias, kPort, false, &SetAlias}};
const RegisterHandler kAliasResult{{yov::CmdOstrelAliasResult, kPort, false, &AliasResult}};
const RegisterHandler kSetSubDomain{{yov::CmdOstrelSetSubDomain, kPort, false, &SetSubDomain}};

}  // namespace
}  // namespace camsim
