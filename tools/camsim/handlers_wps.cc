// WPS family: the secure method (CmdWpsKeyStart, CmdWpsGetCameraKey, CmdWpsSendSecret,
// CmdWpsKeyResult) with the camera's own side of the key agreement, and the older method
// (CmdWpsStart, CmdWpsResult).
//
// Camera JSON "wps": {"session": N (older start's session number, default 1; 0 allowed),
// "outcome": "success" | "refused" (how a finished WPS ends, default success)}. Options:
// "not_ready_polls": N for 180 and 182 (status 257 N times) and for 194 (result value 2, "still
// running", N times); -1 for ever. The camera records in "wps": "wire_mode", "pin" (secure),
// "secret_ok" (the finder sent back the secret the camera computed), "secret_hex"; "mode",
// "pin_text", "session_polled" (older); counters "key_starts", "older_starts".
#include <map>

#include "camera_key_agreement.h"
#include "command_support.h"
#include "handler_table.h"
#include "landap/result_payload.h"
#include "security/scrambling.h"
#include "wire_text.h"

namespace camsim {
namespace {

using nlohmann::json;

constexpr size_t kKeyAt = 4;  // within the fields behind the credential block
constexpr size_t kKeySize = 192;
constexpr size_t kPinSize = 8;

// The exchange in progress per camera (one event-loop thread runs every handler).
std::map<yov::Mac, CameraKeyAgreement> g_exchanges;

json& Wps(Camera& camera) { return StateOf(camera, "wps"); }

// True while the command should still answer "not ready"; counts the polls.
bool StillNotReady(Camera& camera, const CommandOptions& options, const char* counter) {
  int limit = options.json.value("not_ready_polls", 0);
  json& wps = Wps(camera);
  int polls = wps.value(counter, 0);
  wps[counter] = polls + 1;
  return limit < 0 || polls < limit;
}

Answer Result(uint16_t status, uint32_t error, uint32_t value, uint32_t session = 0) {
  auto p = yov::EncodeResultPayload({error, value, 0, session});
  return {status, {p.begin(), p.end()}};
}

std::vector<Answer> KeyStart(Camera& camera, const Request& request, const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  std::vector<uint8_t> fields = Fields(request, kKeyAt + kKeySize + kPinSize);
  yov::Unscramble(yov::MutableBytes(fields).subspan(kKeyAt));
  json& wps = Wps(camera);
  wps["wire_mode"] = fields[0];
  wps["pin"] = std::string(fields.begin() + kKeyAt + kKeySize, fields.end()).c_str();
  wps["secret_ok"] = false;
  wps["key_polls"] = wps["result_polls"] = 0;
  Count(camera, "key_starts");
  g_exchanges.erase(camera.mac);
  g_exchanges.emplace(camera.mac, CameraKeyAgreement(yov::Bytes(fields).subspan(kKeyAt, kKeySize)));
  return {Result(yov::kStatusOk, 0, 0)};
}

std::vector<Answer> GetCameraKey(Camera& camera, const Request& request,
                                 const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  std::vector<uint8_t> payload(kKeyAt + kKeySize, 0);
  auto exchange = g_exchanges.find(camera.mac);
  if (exchange == g_exchanges.end()) return {Answer{1, payload}};
  if (StillNotReady(camera, options, "key_polls")) return {Answer{yov::kStatusNotReady, payload}};
  std::vector<uint8_t> key = exchange->second.PublicField();
  yov::Scramble(key);
  std::copy(key.begin(), key.end(), payload.begin() + kKeyAt);
  return {Answer{yov::kStatusOk, payload}};
}

std::vector<Answer> SendSecret(Camera& camera, const Request& request,
                               const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  auto exchange = g_exchanges.find(camera.mac);
  if (exchange == g_exchanges.end()) return {Result(1, 1, 0)};
  std::vector<uint8_t> secret = Fields(request, kKeyAt + kKeySize);
  yov::Unscramble(yov::MutableBytes(secret).subspan(kKeyAt));
  bool ok = exchange->second.Check(yov::Bytes(secret).subspan(kKeyAt));
  Wps(camera)["secret_ok"] = ok;
  const auto& s = exchange->second.Secret();
  Wps(camera)["secret_hex"] = ok ? HexText(s.data(), s.size()) : "";
  return {Result(yov::kStatusOk, 0, 0)};
}

std::vector<Answer> KeyResult(Camera& camera, const Request& request,
                              const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  if (StillNotReady(camera, options, "result_polls")) return {Result(yov::kStatusNotReady, 0, 0)};
  json& wps = Wps(camera);
  bool success = wps.value("secret_ok", false) && wps.value("outcome", "success") == "success";
  return {success ? Result(yov::kStatusOk, 0, 0) : Result(1, 1, 0)};
}

std::vector<Answer> OlderStart(Camera& camera, const Request& request,
                               const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  std::vector<uint8_t> fields = Fields(request, 12);
  json& wps = Wps(camera);
  wps["mode"] = fields[0];
  wps["pin_text"] = std::string(fields.begin() + 1, fields.end()).c_str();
  wps["older_polls"] = 0;
  Count(camera, "older_starts");
  if (Refusing(options)) return {Result(yov::kStatusOk, options.json.value("error_value", 1u), 0)};
  return {Result(yov::kStatusOk, 0, 0, wps.value("session", 1u))};
}

std::vector<Answer> OlderResult(Camera& camera, const Request& request,
                                const CommandOptions& options) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  json& wps = Wps(camera);
  wps["session_polled"] = yov::GetU32(Fields(request, 4), 0);
  if (StillNotReady(camera, options, "older_polls")) return {Result(yov::kStatusOk, 0, 2)};
  bool success = wps.value("outcome", "success") == "success";
  return {success ? Result(yov::kStatusOk, 0, 0) : Result(1, 1, 0)};
}

const RegisterHandler kKeyStart{{yov::CmdWpsKeyStart, yov::kLandapPort, false, &KeyStart}};
const RegisterHandler kGetCameraKey{
    {yov::CmdWpsGetCameraKey, yov::kLandapPort, false, &GetCameraKey}};
const RegisterHandler kSendSecret{{yov::CmdWpsSendSecret, yov::kLandapPort, false, &SendSecret}};
const RegisterHandler kKeyResult{{yov::CmdWpsKeyResult, yov::kLandapPort, false, &KeyResult}};
const RegisterHandler kOlderStart{{yov::CmdWpsStart, yov::kLandapPort, false, &OlderStart}};
const RegisterHandler kOlderResult{{yov::CmdWpsResult, yov::kLandapPort, false, &OlderResult}};

}  // namespace
}  // namespace camsim
