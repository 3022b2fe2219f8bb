// The credential gate, refusals and result payloads of the per-camera command handlers.
#include "command_support.h"

#include "landap/result_payload.h"
#include "security/credentials.h"

namespace camsim {

std::vector<uint8_t> Fields(const Request& request, size_t size) {
  std::vector<uint8_t> out(size, 0);
  if (request.payload.size() > yov::kCredentialBlockSize) {
    auto fields = request.payload.subspan(yov::kCredentialBlockSize);
    std::copy_n(fields.begin(), std::min(size, fields.size()), out.begin());
  }
  return out;
}

bool CredentialsMatch(const Camera& camera, const Request& request) {
  if (request.payload.size() < yov::kCredentialBlockSize) return false;
  yov::CredentialBlock block = yov::GetCredentialBlock(request.payload);
  return yov::DecodeCredentialField(block.user) == camera.user &&
         yov::DecodeCredentialField(block.password) == camera.password;
}

std::optional<Answer> CheckAccess(const Camera& camera, const Request& request,
                                  const CommandOptions& options) {
  if (options.json.value("ignore_credentials", false)) return std::nullopt;
  bool pending = camera.extra.value("first_password_change", false) &&
                 request.header.command != yov::CmdChangePassword;
  if (pending || !CredentialsMatch(camera, request))
    // A full result payload, so the finder's exchange ends at once instead of resending.
    return Answer{yov::kStatusAuthRefused, std::vector<uint8_t>(yov::kResultPayloadSize, 0)};
  return std::nullopt;
}

bool Refusing(const CommandOptions& options) {
  return options.behaviour.status && *options.behaviour.status != yov::kStatusOk;
}

Answer ResultAnswer(const CommandOptions& options) {
  const nlohmann::json& o = options.json;
  uint32_t error = o.value("error_value", 0u);
  uint32_t value = o.value("result_value", 0u);
  if (o.value("short_result", false)) {
    auto word = yov::EncodeResultWord(Refusing(options) ? error : value);
    return {yov::kStatusOk, {word.begin(), word.end()}};
  }
  auto full = yov::EncodeResultPayload({error, value, o.value("wait_ms", 0u), 0});
  return {yov::kStatusOk, {full.begin(), full.end()}};
}

std::vector<Answer> GetAnswer(const Camera& camera, const Request& request,
                              const CommandOptions& options, std::vector<uint8_t> payload) {
  if (auto refusal = CheckAccess(camera, request, options)) return {*refusal};
  return {Answer{yov::kStatusOk, std::move(payload)}};
}

nlohmann::json& StateOf(Camera& camera, const char* key) {
  nlohmann::json& j = camera.extra[key];
  if (!j.is_object()) j = nlohmann::json::object();
  return j;
}

void Count(Camera& camera, const char* key) {
  camera.extra[key] = camera.extra.value(key, 0) + 1;
}

}  // namespace camsim
