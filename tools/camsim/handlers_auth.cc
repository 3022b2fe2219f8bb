// Credential family: CmdVerifyAuth and CmdChangePassword.
//
// Camera JSON: "user", "password"; "first_password_change": true makes the camera accept its
// credentials only for a password change (CmdVerifyAuth answers status 4, other commands status
// 2) until a change succeeds. Options: "verify_value" (CmdVerifyAuth's value, default 1).
#include "command_support.h"
#include "handler_table.h"
#include "landap/result_payload.h"
#include "security/credentials.h"

namespace camsim {
namespace {

std::vector<Answer> VerifyAuth(Camera& camera, const Request& request,
                               const CommandOptions& options) {
  auto word = [](uint32_t v) {
    auto w = yov::EncodeResultWord(v);
    return std::vector<uint8_t>(w.begin(), w.end());
  };
  if (!options.json.value("ignore_credentials", false) && !CredentialsMatch(camera, request))
    return {Answer{yov::kStatusAuthRefused, word(0)}};
  if (camera.extra.value("first_password_change", false))
    return {Answer{yov::kStatusNoRetry, word(0)}};
  return {Answer{yov::kStatusOk, word(options.json.value("verify_value", 1u))}};
}

std::vector<Answer> ChangePassword(Camera& camera, const Request& request,
                                   const CommandOptions& options) {
  return SetCommand(camera, request, options, [&] {
    auto fresh = yov::GetCredentialBlock(Fields(request, yov::kCredentialBlockBytes));
    auto user = yov::DecodeCredentialField(fresh.user);
    auto password = yov::DecodeCredentialField(fresh.password);
    if (user && !user->empty()) camera.user = *user;
    if (password) camera.password = *password;
    camera.extra["first_password_change"] = false;
    Count(camera, "password_changes");
  });
}

const RegisterHandler kVerifyAuth{{yov::CmdVerifyAuth, yov::kLandapPort, false, &VerifyAuth}};
const RegisterHandler kChangePassword{
    {yov::CmdChangePassword, yov::kLandapPort, false, &ChangePassword}};

}  // namespace
}  // namespace camsim
